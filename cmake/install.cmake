# `cmake --install` and the Debian package: the program in bin, its shipped data in share/heliomark
# (where it finds them relative to its own folder), and what a desktop needs to list and show it.
include(GNUInstallDirs)
set(HELIOMARK_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/heliomark)  # named after the package, lower case

install(TARGETS heliomark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES
    resources/refs.txt resources/city_db.txt resources/dst_types.txt resources/dict.txt
    resources/graf.bmp resources/graf_altitudes.bmp resources/graf_hours.bmp resources/world.bmp
    DESTINATION ${CMAKE_INSTALL_DATADIR}/heliomark)
install(DIRECTORY resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES packaging/${HELIOMARK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${HELIOMARK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/copyright DESTINATION ${HELIOMARK_DOCDIR})

# Debian wants the manual page and the changelog compressed, without a time stamp in the gzip header.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(HELIOMARK_COMPRESSED ${CMAKE_BINARY_DIR}/compressed)
foreach(pair "heliomark.1|heliomark.1.gz" "changelog|changelog.gz")
    string(REPLACE "|" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${HELIOMARK_COMPRESSED}/${target}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${HELIOMARK_COMPRESSED}
        COMMAND sh -c "${GZIP_PROGRAM} -9 -n -c '${CMAKE_SOURCE_DIR}/packaging/${source}' > '${HELIOMARK_COMPRESSED}/${target}'"
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source}
        VERBATIM)
    list(APPEND HELIOMARK_COMPRESSED_FILES ${HELIOMARK_COMPRESSED}/${target})
endforeach()
add_custom_target(heliomark_compressed_docs ALL DEPENDS ${HELIOMARK_COMPRESSED_FILES})
install(FILES ${HELIOMARK_COMPRESSED}/heliomark.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${HELIOMARK_COMPRESSED}/changelog.gz DESTINATION ${HELIOMARK_DOCDIR})

# ---------------------------------------------------------------- Debian package (scripts/package)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME heliomark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Heliomark developers <maintainers@heliomark.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see what the Sun does at any place on Earth")
# CPack puts the summary on the Description line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Heliomark computes sunrise, sunset and transit, the day length, the
twilights and the Sun's position for any place, date and time, with a day
view, a world map, a sky view of the Sun's daily path and a calendar of a
month or a year.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://heliomark.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugins at run time, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
