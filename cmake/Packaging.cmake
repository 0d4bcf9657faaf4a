# `cpack -G DEB` in the build folder makes one Debian package of everything a user installs:
# korvanta, korvanta-cli, korvanta-sim, the link library, the default data files, the menu entry,
# the icons and the file types. The install rules live beside each target.
set(CPACK_PACKAGE_NAME korvanta)
set(CPACK_PACKAGE_VENDOR "Veltmark")
set(CPACK_PACKAGE_CONTACT "Korvanta maintainers <korvanta@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Leak-noise correlator for buried water pipes")
set(CPACK_PACKAGE_DESCRIPTION
    "Locates leaks in buried water pipes by correlating the noise two sensors pick up, through an\n"
    "interface unit on a serial port and radio outstations; with a simulated field kit.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/korvanta")
# The libraries the programs link are found by dpkg-shlibdeps (Qt 6 with its print support and SVG
# modules, the serial port library, libsndfile, libsoxr, the C++ runtime), so none is forgotten.
# Listed here is only what is loaded at run time or read: the Qt platform plug-ins and the fonts
# the dialogs and printouts are laid out with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-wine, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
# No maintainer scripts: shared-mime-info, desktop-file-utils and hicolor-icon-theme watch
# /usr/share/mime/packages, /usr/share/applications and /usr/share/icons/hicolor through dpkg
# triggers and rebuild their caches whenever a package adds or removes files there, also when
# they are installed after this package.
set(CPACK_GENERATOR DEB)
include(CPack)
