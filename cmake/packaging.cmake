# Install layout and the Debian package.
#
# The program is installed once, as a game in <prefix>/games, and runs from there: it keeps
# its page file vorlo.mdb in the user's data folder when it may not write beside itself.
include(GNUInstallDirs)

set(VORLO_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")
set(VORLO_PACKAGING_BUILD_DIR "${PROJECT_BINARY_DIR}/packaging")
set(VORLO_METAINFO_ID "invalid.vorlo.vorlo")

# Debian wants manual pages and the changelog compressed without a name or a time stamp,
# so that the package is the same from one build to the next.
find_program(VORLO_GZIP gzip REQUIRED)
function(vorlo_gzip source target)
    execute_process(COMMAND "${VORLO_GZIP}" -9 -n -c "${source}" OUTPUT_FILE "${target}"
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()

file(MAKE_DIRECTORY "${VORLO_PACKAGING_BUILD_DIR}/man/en" "${VORLO_PACKAGING_BUILD_DIR}/man/fr")
foreach(language en fr)
    if(language STREQUAL "en")
        set(page "${VORLO_PACKAGING_DIR}/man/vorlo.6.in")
        set(man_dir "${CMAKE_INSTALL_MANDIR}/man6")
    else()
        set(page "${VORLO_PACKAGING_DIR}/man/vorlo.${language}.6.in")
        set(man_dir "${CMAKE_INSTALL_MANDIR}/${language}/man6")
    endif()
    set(configured "${VORLO_PACKAGING_BUILD_DIR}/man/${language}/vorlo.6")
    configure_file("${page}" "${configured}" @ONLY)
    vorlo_gzip("${configured}" "${configured}.gz")
    install(FILES "${configured}.gz" DESTINATION "${man_dir}")
endforeach()

configure_file("${VORLO_PACKAGING_DIR}/debian/changelog" "${VORLO_PACKAGING_BUILD_DIR}/changelog"
               COPYONLY)
vorlo_gzip("${VORLO_PACKAGING_BUILD_DIR}/changelog" "${VORLO_PACKAGING_BUILD_DIR}/changelog.gz")
install(FILES "${VORLO_PACKAGING_BUILD_DIR}/changelog.gz" "${VORLO_PACKAGING_DIR}/debian/copyright"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")

if(TARGET vorlo)
    install(TARGETS vorlo RUNTIME DESTINATION "${VORLO_INSTALL_GAMESDIR}")
endif()
install(FILES "${VORLO_PACKAGING_DIR}/vorlo.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${VORLO_PACKAGING_DIR}/${VORLO_METAINFO_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${VORLO_PACKAGING_DIR}/icons/vorlo.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(size 64 128 256)
    install(FILES "${VORLO_PACKAGING_DIR}/icons/vorlo-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME vorlo.png)
endforeach()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vorlo")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Vorlo")
set(CPACK_PACKAGE_CONTACT "Vorlo maintainers <maintainers@vorlo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "game master's tool for the forum word puzzle")
# The package installs what was built for this prefix (the program looks for its own
# folder there), so scripts/package configures with /usr.
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_NAME "vorlo")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# CPack puts the summary on the first line and indents the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "In a vorlo, a word puzzle played in a forum thread, the game master hides a
sentence and the players propose sentences laid over it, letter by letter.
Vorlo masks the hidden sentence, checks that each proposal has words of the
right lengths, reveals the letters found at their places, keeps the list of
the letters still to find and writes the BBCode post for the thread.
.
The page is kept in vorlo.mdb, in the user's data folder
(~/.local/share/vorlo). The program speaks French.")
# dpkg-shlibdeps finds the libraries the program links; the plugins Qt loads at run
# time (the SQLite driver, the window-system platforms) are beyond its sight. The
# designed look needs the Liberation fonts; Qt's French translations make its colour and
# font choosers speak French like the rest of the program.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, ca-certificates")

include(CPack)
