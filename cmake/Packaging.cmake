# The desktop integration (entry, icons, AppStream metainfo), the man pages and the Debian package
# (`make package`, or `cpack -G DEB` in the build folder).

# The desktop and AppStream identity; the entry, the metainfo and the icons are named after it.
set(DELVO_APP_ID "org.example.delvo2")
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)

configure_file(${packaging_dir}/delvo2.desktop.in ${packaging_out}/${DELVO_APP_ID}.desktop @ONLY)
configure_file(${packaging_dir}/delvo2.metainfo.xml.in ${packaging_out}/${DELVO_APP_ID}.metainfo.xml @ONLY)

# PNG icons rendered from the SVG (rsvg-convert, Debian package librsvg2-bin).
set(icon_sizes 16 24 32 48 64 128 256)
set(packaging_outputs)
foreach(size IN LISTS icon_sizes)
  set(png ${packaging_out}/icons/${size}/${DELVO_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}/icons/${size}
    COMMAND rsvg-convert --width ${size} --height ${size} --output ${png} ${packaging_dir}/delvo2.svg
    DEPENDS ${packaging_dir}/delvo2.svg VERBATIM)
  list(APPEND packaging_outputs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Man pages with the project version, compressed as Debian installs them (gzip -n: no time stamp).
foreach(page delvo2 delvo2-cli delvo2-sim)
  configure_file(${packaging_dir}/man/${page}.1.in ${packaging_out}/man/${page}.1 @ONLY)
  set(gz ${packaging_out}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND gzip -9nf --keep ${packaging_out}/man/${page}.1
    DEPENDS ${packaging_out}/man/${page}.1 VERBATIM)
  list(APPEND packaging_outputs ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(delvo2_packaging_files ALL DEPENDS ${packaging_outputs})

install(FILES ${packaging_out}/${DELVO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_out}/${DELVO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_dir}/delvo2.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${DELVO_APP_ID}.svg)

# The Debian package: delvo2_<version>_<arch>.deb, installed under /usr with the registry file in
# /etc/xdg (a configuration file of the package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME delvo2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "delvo2 developers <delvo2@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration and calibration of smart 4-20 mA temperature transmitters")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Reads, edits, writes and calibrates two-wire temperature transmitters on a serial port, with a\n"
  "command-line tool (delvo2-cli) and a simulated transmitter on a pseudo-terminal (delvo2-sim).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The registry file's path is absolute (/etc/xdg): the install runs with DESTDIR into the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://delvo2.example.org/")
# The libraries' packages come from dpkg-shlibdeps; Qt's platform plugins (the window system) are
# only recommended by its GUI library, and the program cannot open a window without them; the unit
# history needs Qt SQL's SQLite driver, a plugin no library links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
file(WRITE ${packaging_out}/conffiles "/etc/xdg/delvo2/registry.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${packaging_out}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
