# The Debian package: tavrin_<version>_amd64.deb of the installed tree, depending on the system's
# Qt as dpkg-shlibdeps finds it (Qt is linked, never bundled).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VERSION ${Tavrin_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tavrin developers")
set(CPACK_PACKAGE_CONTACT "The Tavrin developers <dev@tavrin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "commissioning utility for the K-5310G gateway")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tavrin reads, changes and stores the configuration of the K-5310G gateway (DeviceNet slave,
Modbus RTU master) by typing at its controller's text console over a serial port, and writes the
gateway's EDS file. Holds the tavrin window, tavrin-cli for shells and scripts, the gateway
simulator tavrin-gatewaysim, and the Quillon INI library with its C header, pkg-config file and
CMake package.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavrin.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libquillon ships in this package: dpkg-shlibdeps finds it here instead of asking for another.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src/inictl)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Qt loads its window system plugins at run time, so no linked library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
