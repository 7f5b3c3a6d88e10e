# The suite's one version number is the project's (top-level project()). It
# goes into suite_version.h, which every shipped binary's version block, the
# installer and pdrcam --version take it from.
string(REPLACE "." ", " SUITE_VERSION_COMMAS "${PROJECT_VERSION}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/suite_version.h.in
               ${CMAKE_BINARY_DIR}/generated/suite_version.h @ONLY)
add_library(suite_version INTERFACE)
target_include_directories(suite_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# suite_add_version_block(<target> DESCRIPTION <text> FILE_NAME <name>
#                         [PRODUCT_NAME <text>])
# Gives a Windows program or library a version block with the suite's version.
# Binaries whose resource script has a block of its own include
# suite_version.h instead (link suite_version).
function(suite_add_version_block target)
  cmake_parse_arguments(V "" "DESCRIPTION;FILE_NAME;PRODUCT_NAME" "" ${ARGN})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(FILE_TYPE VFT_APP)
  else()
    set(FILE_TYPE VFT_DLL)
  endif()
  set(DESCRIPTION "${V_DESCRIPTION}")
  set(FILE_NAME "${V_FILE_NAME}")
  get_filename_component(INTERNAL_NAME "${V_FILE_NAME}" NAME_WE)
  if(V_PRODUCT_NAME)
    set(PRODUCT_NAME "${V_PRODUCT_NAME}")
  else()
    set(PRODUCT_NAME "${INTERNAL_NAME}")
  endif()
  set(script ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
  configure_file(${SUITE_VERSION_BLOCK_TEMPLATE} ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
  target_link_libraries(${target} PRIVATE suite_version)
endfunction()
set(SUITE_VERSION_BLOCK_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version_block.rc.in)
