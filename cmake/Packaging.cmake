# Installation in the freedesktop places and a .deb package:
#   cmake --install build/release --prefix ~/.local
#   cpack --config build/release/CPackConfig.cmake -B build/release/package
# The program looks for its help and logo beside itself first, then in
# ../share/welkor-lumo, which is where this puts them.
include(GNUInstallDirs)

set(WELKOR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/welkor-lumo)
install(TARGETS welkor-lumo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${PROJECT_SOURCE_DIR}/data/help/Brosalin 1.html" DESTINATION ${WELKOR_DATA_DIR})
# The logo is drawn into the build beside the program; installed when there.
install(FILES "$<TARGET_FILE_DIR:welkor-lumo>/Marvant.bmp" DESTINATION ${WELKOR_DATA_DIR} OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/welkor-lumo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/welkor-lumo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/welkor-lumo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME welkor-lumo)
set(CPACK_PACKAGE_VENDOR Marvant)
set(CPACK_PACKAGE_CONTACT "Marvant <pomoc@marvant.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Welkor Lumo 1 - raporty pomiarów mikropłytek 96-dołkowych")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Libraries from what the program links; the platform plugin is loaded at run
# time, so it is named here. The MIME and desktop databases are refreshed by
# the triggers of shared-mime-info and desktop-file-utils.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, fonts-dejavu-core")
include(CPack)
