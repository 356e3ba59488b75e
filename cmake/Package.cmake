# The Debian packages, one per install component, split as Debian splits a program with a
# shared library:
#   tavrin_<version>-1_amd64.deb          the programs; depends on libquillon1 of the same version
#   libquillon1_<version>-1_amd64.deb     libquillon.so.1, with its shlibs file for dependants
#   libquillon-dev_<version>-1_amd64.deb  what a host builds against; depends on libquillon1 (=)
# <version> is Tavrin's own, and -1 the revision of its Debian packaging (TAVRIN_DEBIAN_REVISION,
# packaging/CMakeLists.txt), whose changelog each package carries as changelog.Debian.gz.
# The system's Qt is linked, never bundled: dpkg-shlibdeps finds each package's dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL tavrin libquillon1 libquillon-dev)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VERSION ${Tavrin_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TAVRIN_DEBIAN_REVISION})
set(CPACK_PACKAGE_VENDOR "The Tavrin developers")
set(CPACK_PACKAGE_CONTACT "The Tavrin developers <dev@tavrin.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavrin.example/)
# All three come from one source, whose name their changelogs carry.
set(CPACK_DEBIAN_PACKAGE_SOURCE tavrin)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# tavrin's programs link libquillon.so.1 of this build: dpkg-shlibdeps finds it here and leaves
# its dependency to the explicit one on libquillon1 below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src/inictl)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(same_version "(= ${Tavrin_VERSION}-${TAVRIN_DEBIAN_REVISION})")

set(CPACK_DEBIAN_TAVRIN_PACKAGE_NAME tavrin)
set(CPACK_DEBIAN_TAVRIN_PACKAGE_SECTION electronics)
# Qt loads its window system plugins at run time, so no linked library names them.
set(CPACK_DEBIAN_TAVRIN_PACKAGE_DEPENDS "libquillon1 ${same_version}, qt6-qpa-plugins")
set(CPACK_COMPONENT_TAVRIN_DESCRIPTION
    "commissioning utility for the K-5310G gateway
Tavrin reads, changes and stores the configuration of the K-5310G gateway
(DeviceNet slave, Modbus RTU master) by typing at its controller's text
console over a serial port, and writes the gateway's EDS file. Holds the
tavrin window, tavrin-cli for shells and scripts, the gateway simulator
tavrin-gatewaysim, the Modbus slave simulator tavrin-modbussim, and the
user guide with example files.")

set(CPACK_DEBIAN_LIBQUILLON1_PACKAGE_NAME libquillon1)
set(CPACK_DEBIAN_LIBQUILLON1_PACKAGE_SECTION libs)
# DEBIAN/shlibs, so that a package linking libquillon.so.1 depends on this one (only libquillon1
# holds a shared library, so only it gets the file), and DEBIAN/triggers, which has dpkg refresh
# the linker's cache once the library is installed or removed.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_LIBQUILLON1_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/../packaging/libquillon1/triggers)
set(CPACK_DEBIAN_LIBQUILLON1_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_LIBQUILLON1_DESCRIPTION
    "Quillon INI control library
Quillon reads and writes keys of Windows-style INI files through a small
control object and a plain C interface. It is the library Tavrin keeps its
parameter files with. This package holds the shared library.")

set(CPACK_DEBIAN_LIBQUILLON-DEV_PACKAGE_NAME libquillon-dev)
set(CPACK_DEBIAN_LIBQUILLON-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LIBQUILLON-DEV_PACKAGE_DEPENDS "libquillon1 ${same_version}")
set(CPACK_COMPONENT_LIBQUILLON-DEV_DESCRIPTION
    "Quillon INI control library - development files
Quillon reads and writes keys of Windows-style INI files through a small
control object and a plain C interface. This package holds what a program
builds against: the C header quillon.h, the pkg-config file quillon.pc, the
CMake package Quillon and the libquillon.so link.")
include(CPack)
