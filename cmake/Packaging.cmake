# The Debian package (cpack -G DEB, run by scripts/package.sh). It installs under /usr: the
# program in bin/, the bundled history and the manual in share/loto6yorune/, the desktop entry
# and the icons in share/applications/ and share/icons/.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME loto6yorune)
set(CPACK_PACKAGE_VENDOR "Pelmora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pelmora <loto6yorune@pelmora.example.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Loto 6 number picker, ticket keeper and winning check")
set(CPACK_PACKAGE_DESCRIPTION
    "ロト６ヨルネ helps Loto 6 players pick lines by hand or by one of three methods,\n\
keeps the decided lines per draw, checks them against the draw results, and\n\
shows how often each number has been drawn. It ships the draw history and\n\
downloads new results on request.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LOTO6_HOME_PAGE}")
# The libraries the program links come from dpkg-shlibdeps; what it loads or reads at run time
# is named here: the Japanese fonts it maps the Windows fonts to, Qt's Japanese texts for the
# standard dialogs, and OpenSSL with the certificate authorities for https downloads.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n, libssl3, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
