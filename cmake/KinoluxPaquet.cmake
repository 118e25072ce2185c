# The Debian package: `cpack -G DEB` in a build folder gives kinolux_VERSION_ARCH.deb, which
# installs the program under /usr (files in /usr/lib/kinolux, the link /usr/bin/kinolux, the
# menu entry and the icons under /usr/share).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kinolux)
set(CPACK_PACKAGE_VENDOR Orvandel)
set(CPACK_PACKAGE_CONTACT "Kinolux <kinolux@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue personnel de films")
set(CPACK_PACKAGE_DESCRIPTION
    "Kinolux garde une fiche par film (titres, année, durée, résumé, réalisateurs, acteurs,\n\
genres, support, fichier vidéo et jaquette), les montre en liste, en arbre de classement\n\
et par recherche, importe fiches et jaquettes d'un service en ligne et lance un film ou\n\
une liste de lecture dans le lecteur du bureau. Interface en français.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps; Qt's platform plugins are loaded at
# run time, so no link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# French buttons in message boxes; the desktop's opener plays films and playlists.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
include(CPack)
