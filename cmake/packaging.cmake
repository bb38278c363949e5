# Install layout and the Debian package.
#
# The program keeps vorlo.mdb in its own folder, so the real binary is installed out of
# PATH in <libdir>/vorlo and <bindir>/vorlo is a launcher that runs a per-user copy of it
# from "${XDG_DATA_HOME:-$HOME/.local/share}/vorlo", a folder the user owns.
include(GNUInstallDirs)

set(VORLO_PROGRAM_DIR "${CMAKE_INSTALL_LIBDIR}/vorlo")
set(VORLO_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")

if(TARGET vorlo)
    install(TARGETS vorlo RUNTIME DESTINATION "${VORLO_PROGRAM_DIR}")
endif()

# The launcher finds the program relative to itself, so a DESTDIR or another prefix works.
file(RELATIVE_PATH VORLO_BIN_TO_PROGRAM "/${CMAKE_INSTALL_BINDIR}" "/${VORLO_PROGRAM_DIR}")
configure_file("${VORLO_PACKAGING_DIR}/vorlo-launcher.sh.in"
               "${PROJECT_BINARY_DIR}/packaging/vorlo" @ONLY)
install(PROGRAMS "${PROJECT_BINARY_DIR}/packaging/vorlo" DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${VORLO_PACKAGING_DIR}/vorlo.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${VORLO_PACKAGING_DIR}/vorlo.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${VORLO_PACKAGING_DIR}/vorlo.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vorlo")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Vorlo")
set(CPACK_PACKAGE_CONTACT "Vorlo maintainers <maintainers@vorlo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Vorlo : gestion des vorlos du forum / game master's tool for the forum word puzzle")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME "vorlo")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# CPack puts the summary on the first line and indents the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Le maître de jeu saisit la phrase de référence, Vorlo en masque les lettres,
joue chaque proposition, révèle les lettres bien placées et prépare le message
BBCode à poster. La page est enregistrée dans vorlo.mdb, dans le dossier
personnel du programme (~/.local/share/vorlo).

The game master types the reference sentence, Vorlo masks its letters, plays
each proposal, reveals the letters at the right places and prepares the BBCode
message to post. The page is stored in vorlo.mdb, in the user's own program
folder (~/.local/share/vorlo). The program speaks French.")
# dpkg-shlibdeps finds the libraries the program links; the plugins Qt loads at run
# time (the SQLite driver, the window-system platforms) are beyond its sight.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")

include(CPack)
