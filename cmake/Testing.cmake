# Test support shared by every folder: GoogleTest from the Debian sources (so that
# the mingw builds get it too), the Wine runner for win64 tests, and
# suite_add_gtest() to define and register one test program.
enable_testing()
include(GoogleTest)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

if(SUITE_WINDOWS)
  # Every Windows test program runs through a wrapper that uses the build's
  # own Wine prefix (created on first use); layout tests also run in a second
  # prefix at 120 DPI (suite_add_gtest's WINE_DPI). The 32-bit build's
  # programs start through Wine's 32-bit loader, in the same kind of prefix.
  if(SUITE_BUILD STREQUAL "win32")
    set(SUITE_WINE_LOADER wine)
  else()
    set(SUITE_WINE_LOADER wine64)
  endif()
  set(SUITE_WINE_DPI_VALUES 96 120)
  foreach(dpi ${SUITE_WINE_DPI_VALUES})
    if(dpi EQUAL 96)
      set(SUITE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
      set(runner ${CMAKE_BINARY_DIR}/wine-run)
    else()
      set(SUITE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix-${dpi}dpi)
      set(runner ${CMAKE_BINARY_DIR}/wine-run-${dpi}dpi)
    endif()
    set(SUITE_WINE_DPI ${dpi})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${runner} @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
  endforeach()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# suite_add_gtest(<name> SOURCES ... [LIBS ...] [LABELS ...] [NO_MAIN]
#                 [FILTER gtest-pattern] [WINE_DPI dpi] [RESOURCE_LOCK name...])
# Builds a GoogleTest program and, where the build can run it, registers its
# tests with ctest (discovered at test time, through Wine for the Windows
# builds). FILTER registers only the matching tests; WINE_DPI runs them in the prefix of
# that resolution, with "<dpi>dpi." before their names. Tests of programs
# that share a RESOURCE_LOCK never run at the same time ("screen" for those
# that copy the screen, which another test's window would cover).
# Every label handed to a test is remembered, so that the label check below
# can prove that each of them selects something.
function(suite_note_labels)
  set_property(GLOBAL APPEND PROPERTY SUITE_LABELS_IN_USE ${ARGN})
endfunction()

function(suite_add_gtest name)
  cmake_parse_arguments(T "NO_MAIN" "FILTER;WINE_DPI" "SOURCES;LIBS;LABELS;RESOURCE_LOCK" ${ARGN})
  if(NOT T_LABELS)
    message(FATAL_ERROR "${name}: every test carries its area's label (LABELS <area>)")
  endif()
  add_executable(${name} ${T_SOURCES})
  set(discovery_options)
  if(T_FILTER)
    list(APPEND discovery_options TEST_FILTER ${T_FILTER})
  endif()
  if(T_WINE_DPI AND SUITE_WINDOWS AND NOT T_WINE_DPI EQUAL 96)
    set_target_properties(${name} PROPERTIES
      CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run-${T_WINE_DPI}dpi)
    list(APPEND discovery_options TEST_PREFIX ${T_WINE_DPI}dpi.)
  endif()
  if(T_NO_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  endif()
  if(SUITE_RUN_TESTS)
    set(labels ${SUITE_BUILD} ${T_LABELS})
    suite_note_labels(${labels})
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      TEST_LIST ${name}_TESTS
      ${discovery_options})
    # gtest_discover_tests flattens list values in its PROPERTIES, so a second
    # label or anything after it would be lost. A file of our own, included by
    # ctest after the discovered tests, sets the labels and the time-out on
    # the list that discovery leaves behind.
    set(lock "")
    if(T_RESOURCE_LOCK)
      set(lock " RESOURCE_LOCK \"${T_RESOURCE_LOCK}\"")
    endif()
    set(properties_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake)
    file(WRITE ${properties_file}
         "if(${name}_TESTS)\n"
         "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${labels}\" TIMEOUT 300${lock})\n"
         "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties_file})
  endif()
endfunction()

# suite_add_script_test(<name> COMMAND ... [LABELS ...]) for checks that run on
# the build machine itself (for instance the static ABI checks of the win32 build).
function(suite_add_script_test name)
  cmake_parse_arguments(T "" "" "COMMAND;LABELS" ${ARGN})
  if(NOT T_LABELS)
    message(FATAL_ERROR "${name}: every test carries its area's label (LABELS <area>)")
  endif()
  add_test(NAME ${name} COMMAND ${T_COMMAND})
  set_tests_properties(${name} PROPERTIES LABELS "${SUITE_BUILD};${T_LABELS}")
  suite_note_labels(${SUITE_BUILD} ${T_LABELS})
endfunction()

# Called once at the end of the top-level CMakeLists: a test that fails when a
# label given to some test selects no test at all in this build (a label lost
# on the way to ctest, as discovered tests can lose them).
function(suite_add_label_check)
  get_property(labels GLOBAL PROPERTY SUITE_LABELS_IN_USE)
  list(REMOVE_DUPLICATES labels)
  list(SORT labels)
  add_test(NAME suite_labels_select_tests
    COMMAND ${CMAKE_COMMAND} -DCTEST=${CMAKE_CTEST_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
            "-DLABELS=${labels}" -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/check-labels.cmake)
  set_tests_properties(suite_labels_select_tests PROPERTIES LABELS "${SUITE_BUILD};meta" TIMEOUT 600)
endfunction()
