# Workbooks (.xlsx) written by libxlsxwriter, found through pkg-config.
# Included where the target welkor_qtbase is defined.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
target_sources(welkor_qtbase PRIVATE ${CMAKE_CURRENT_LIST_DIR}/XlsxWorkbook.cpp ${CMAKE_CURRENT_LIST_DIR}/XlsxWorkbook.h)
target_link_libraries(welkor_qtbase PRIVATE PkgConfig::XLSXWRITER)
