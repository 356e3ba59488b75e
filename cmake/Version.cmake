# The one version number, project(Tavrin VERSION ...), reaches the programs as TAVRIN_VERSION in
# the generated TavrinVersion.h; Quillon's header gets its own generated quillon_version.h.
set(TAVRIN_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/TavrinVersion.h.in ${TAVRIN_GENERATED_DIR}/TavrinVersion.h
               @ONLY)
add_library(tavrin_version INTERFACE)
target_include_directories(tavrin_version INTERFACE ${TAVRIN_GENERATED_DIR})

# The user guide and its examples, installed into the tavrin package's documentation folder
# (packaging/CMakeLists.txt); the help texts name it through TavrinDocs.h.
set(TAVRIN_DOC_DIR_RELATIVE ${CMAKE_INSTALL_DATADIR}/doc/tavrin)
set(TAVRIN_DOC_DIR ${CMAKE_INSTALL_FULL_DATADIR}/doc/tavrin)
configure_file(${CMAKE_CURRENT_LIST_DIR}/TavrinDocs.h.in ${TAVRIN_GENERATED_DIR}/TavrinDocs.h @ONLY)
