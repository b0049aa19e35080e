# Installs Tabulink as a desktop application (program, desktop entry, icons,
# man page) and packs the installation as a Debian package: cpack -G DEB.
include(GNUInstallDirs)

set(TABULINK_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
# Every size is drawn from icons/tabulink.svg and kept next to it as a PNG.
set(TABULINK_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TABULINK_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

install(FILES ${TABULINK_PACKAGING_DIR}/tabulink.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TABULINK_PACKAGING_DIR}/icons/tabulink.svg DESTINATION ${TABULINK_ICON_DIR}/scalable/apps)
foreach(size ${TABULINK_ICON_SIZES})
  install(FILES ${TABULINK_PACKAGING_DIR}/icons/tabulink-${size}.png
          DESTINATION ${TABULINK_ICON_DIR}/${size}x${size}/apps RENAME tabulink.png)
endforeach()

# The faces the pages ask for, as fontconfig aliases for every program on the
# machine (the browser above all), enabled the way Debian enables them: a link
# in /etc/fonts/conf.d to the file in conf.avail. Only a system-wide install
# (the package's /usr, or /usr/local) reaches into /etc.
set(TABULINK_FONTCONFIG_FILE 30-tabulink-ms-fonts.conf)
install(FILES ${TABULINK_PACKAGING_DIR}/${TABULINK_FONTCONFIG_FILE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fontconfig/conf.avail)
install(CODE "
  if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr(/local)?/?$\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}/etc/fonts/conf.d\")
    file(CREATE_LINK \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/fontconfig/conf.avail/${TABULINK_FONTCONFIG_FILE}\"
         \"\$ENV{DESTDIR}/etc/fonts/conf.d/${TABULINK_FONTCONFIG_FILE}\" SYMBOLIC)
  endif()")

# Man pages go in compressed, without a time stamp, as Debian installs them.
set(TABULINK_MAN_PAGE ${CMAKE_BINARY_DIR}/tabulink.1.gz)
set(TABULINK_BATCH_MAN_PAGE ${CMAKE_BINARY_DIR}/tabulink-batch.1.gz)
foreach(page tabulink tabulink-batch)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${page}.1.gz
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${TABULINK_PACKAGING_DIR}/${page}.1 ${CMAKE_BINARY_DIR}/${page}.1.gz
    DEPENDS ${TABULINK_PACKAGING_DIR}/${page}.1
    VERBATIM)
endforeach()
add_custom_target(tabulink_man_page ALL DEPENDS ${TABULINK_MAN_PAGE} ${TABULINK_BATCH_MAN_PAGE})
install(FILES ${TABULINK_MAN_PAGE} ${TABULINK_BATCH_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package.
set(TABULINK_MAINTAINER "Tabulink developers <tabulink@example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tabulink)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TABULINK_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese tool that writes Shift_JIS HTML pages")
set(CPACK_PACKAGE_DESCRIPTION
  "Tabulink writes HTML pages encoded in Shift_JIS (code page 932) from the file\n"
  "names of a folder (a page of links), from a CSV file or a typed grid (a page\n"
  "holding one table) and from free text (a text page or a page for i-mode\n"
  "phones). Its user interface is in Japanese.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(qt_at_least "(>= ${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR})")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6widgets6 ${qt_at_least}, libqt6gui6 ${qt_at_least}, libqt6core6 ${qt_at_least}, qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic, fonts-ipafont-mincho")
# Opening folders and pages in the desktop's file manager and browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
include(CPack)

if(BUILD_TESTING)
  add_test(NAME packaging_deb
    COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/check_deb.sh ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
            ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS})
  set_tests_properties(packaging_deb PROPERTIES
    SKIP_RETURN_CODE 77
    ENVIRONMENT "LANG=C.UTF-8;LC_ALL=C.UTF-8"
    TIMEOUT 300)
endif()
