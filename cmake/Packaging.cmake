# Installation in the freedesktop places and a .deb package:
#   cmake --install build/release --prefix ~/.local
#   cpack --config build/release/CPackConfig.cmake -B build/release/package
# The program looks for its help and logo beside itself first, then in
# ../share/welkor-lumo, which is where this puts them; its modules
# likewise beside itself, then in ../lib/welkor-lumo/modules (a folder
# of its own: a library straight under lib would have the package run
# ldconfig, which is for shared libraries, not for modules). A direct install also
# refreshes the prefix's MIME and desktop databases (cmake/DesktopInstall.cmake).
include(GNUInstallDirs)

set(WELKOR_APP_ID pl.marvant.welkor_lumo) # the AppStream id; the desktop entry is welkor-lumo.desktop
set(WELKOR_RELEASE_DATE 2026-12-09)       # of this version: AppStream release and manual pages
set(WELKOR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/welkor-lumo)
set(WELKOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/welkor-lumo)
set(WELKOR_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
set(WELKOR_PACKAGE_BUILD ${PROJECT_BINARY_DIR}/package-files)
file(MAKE_DIRECTORY ${WELKOR_PACKAGE_BUILD})

install(TARGETS welkor-lumo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Qt's print and serial port support, which the program loads when first
# needed, from here.
install(TARGETS welkor-lumo-print welkor-lumo-serial LIBRARY DESTINATION lib/welkor-lumo/modules)
install(FILES "${PROJECT_SOURCE_DIR}/data/help/Brosalin 1.html" DESTINATION ${WELKOR_DATA_DIR})
# The logo is drawn into the build beside the program; installed when there.
install(FILES "$<TARGET_FILE_DIR:welkor-lumo>/Marvant.bmp" DESTINATION ${WELKOR_DATA_DIR} OPTIONAL)
install(FILES ${WELKOR_DESKTOP_DIR}/welkor-lumo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${WELKOR_DESKTOP_DIR}/welkor-lumo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The AppStream description of the program, for software centres.
configure_file(${WELKOR_DESKTOP_DIR}/welkor-lumo.metainfo.xml.in
               ${WELKOR_PACKAGE_BUILD}/${WELKOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${WELKOR_PACKAGE_BUILD}/${WELKOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(WELKOR_PACKAGE_OUTPUTS "")

# PNG icons at the usual sizes, drawn from the SVG by the build (rsvg-convert,
# Debian's librsvg2-bin): menus and panels that take no SVG show these.
find_program(WELKOR_RSVG_CONVERT rsvg-convert)
if(WELKOR_RSVG_CONVERT)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${WELKOR_PACKAGE_BUILD}/icons/${size}x${size}/welkor-lumo.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${WELKOR_PACKAGE_BUILD}/icons/${size}x${size}
      COMMAND ${WELKOR_RSVG_CONVERT} --width=${size} --height=${size} --format=png
              --output=${png} ${WELKOR_DESKTOP_DIR}/welkor-lumo.svg
      DEPENDS ${WELKOR_DESKTOP_DIR}/welkor-lumo.svg
      COMMENT "Drawing the ${size}x${size} icon" VERBATIM)
    list(APPEND WELKOR_PACKAGE_OUTPUTS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert not found (Debian: librsvg2-bin): only the scalable icon is installed")
endif()

# Manual pages, in Polish like the program, in the default section so that
# `man` finds them in every locale. welkor-lumo-cli's is written from its own
# --help by the build; the window's takes no options and is written by hand.
# Both are compressed as Debian wants them (gzip -9n: no name, no time).
find_program(WELKOR_GZIP gzip)
if(WELKOR_GZIP)
  set(cli_page ${WELKOR_PACKAGE_BUILD}/welkor-lumo-cli.1)
  add_custom_command(OUTPUT ${cli_page}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:welkor-lumo-cli> -DOUT=${cli_page}
            -DDATE=${WELKOR_RELEASE_DATE} -DVERSION=${PROJECT_VERSION}
            -P ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake
    DEPENDS welkor-lumo-cli ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake
    COMMENT "Writing the manual page of welkor-lumo-cli from its help" VERBATIM)
  foreach(page ${PROJECT_SOURCE_DIR}/data/man/welkor-lumo.1 ${cli_page})
    get_filename_component(name ${page} NAME)
    set(gz ${WELKOR_PACKAGE_BUILD}/${name}.gz)
    add_custom_command(OUTPUT ${gz}
      COMMAND ${WELKOR_GZIP} -9n -c ${page} > ${gz}
      DEPENDS ${page} COMMENT "Compressing ${name}")
    list(APPEND WELKOR_PACKAGE_OUTPUTS ${gz})
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()

  # The package's changelog, compressed the same way, and its copyright file.
  # The maker packages its own program: a native package (version 1.0, no
  # Debian revision), whose changelog is changelog.gz.
  set(changelog ${WELKOR_PACKAGE_BUILD}/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${WELKOR_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog COMMENT "Compressing the changelog")
  list(APPEND WELKOR_PACKAGE_OUTPUTS ${changelog})
  install(FILES ${changelog} DESTINATION ${WELKOR_DOC_DIR})
else()
  message(WARNING "gzip not found: no manual pages and no changelog are installed")
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${WELKOR_DOC_DIR})
add_custom_target(welkor-package-files ALL DEPENDS ${WELKOR_PACKAGE_OUTPUTS})

# Last: the desktop entry (its Exec depends on where the program went) and
# the refresh of the prefix's databases, once every file is in place.
install(CODE "
  set(WELKOR_DESKTOP_TEMPLATE \"${WELKOR_DESKTOP_DIR}/welkor-lumo.desktop\")
  set(WELKOR_DESKTOP_STAGING \"${WELKOR_PACKAGE_BUILD}\")
  set(WELKOR_INSTALL_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(WELKOR_INSTALL_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/DesktopInstall.cmake\")")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME welkor-lumo)
set(CPACK_PACKAGE_VENDOR Marvant)
set(CPACK_PACKAGE_CONTACT "Marvant <pomoc@marvant.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "raporty pomiarów mikropłytek 96-dołkowych z czytnika płytek")
# The extended description (the summary above comes first): paragraphs apart
# by a line with one full stop.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Welkor Lumo 1 to program laboratorium odczytującego mikropłytki
96-dołkowe (wiersze A-H, kolumny 1-12) na czytniku płytek. Otwiera raport
z pomiaru (.rap) i pokazuje go jako tekst, jako tabelę i jako płytkę
barwnych studzienek na skalibrowanej skali barw, przeprowadza analizę
progową względem kontroli ujemnych, maluje szablony rozkładu płytki (.sza),
zapisuje, eksportuje i drukuje raport, a z podłączonym czytnikiem pobiera
pomiar przez port szeregowy.
.
Program welkor-lumo-cli daje te same wyniki bez okna, dla serii raportów
i potoków: sprawdzenie raportów, eksport (CSV dla R i pandas), analizę
progową, obraz płytki (PNG, SVG, PDF) i raport z zapisanej transmisji
czytnika.
.
Interfejs programu jest w języku polskim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Libraries from what the program links; the platform plugin is loaded at run
# time, so it is named here, and so is libxlsxwriter (loaded when the first
# workbook is written), by the package that holds it on the build machine
# (found in src/qtbase).
# The MIME and desktop databases and the icon cache
# are refreshed by the triggers of shared-mime-info, desktop-file-utils and
# gtk-update-icon-cache.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(WELKOR_XLSXWRITER_PACKAGE)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, ${WELKOR_XLSXWRITER_PACKAGE}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, fonts-dejavu-core")
include(CPack)
