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
# The Debian 12 runtime packages the programs link or load: Qt 6 with its SVG module and the
# platform plug-ins, the serial port library, libsndfile and libsoxr for recordings, and the fonts
# the dialogs and printouts are laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6, libqt6gui6, libqt6widgets6, libqt6svg6, qt6-qpa-plugins, libserialport0, libsndfile1, libsoxr0, fonts-wine, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/cmake/debian/postinst ${CMAKE_SOURCE_DIR}/cmake/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
