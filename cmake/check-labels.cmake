# cmake -DCTEST=... -DBUILD_DIR=... -DLABELS=a;b;c -P check-labels.cmake
# Fails when one of the labels selects no test of the build. Labels are matched
# exactly (ctest -L takes a regular expression).
set(empty "")
foreach(label IN LISTS LABELS)
  execute_process(COMMAND ${CTEST} --test-dir ${BUILD_DIR} -N -L "^${label}$"
                  OUTPUT_VARIABLE out RESULT_VARIABLE status)
  string(REGEX MATCH "Total Tests: ([0-9]+)" found "${out}")
  set(count ${CMAKE_MATCH_1})
  if(NOT status EQUAL 0 OR NOT count OR count EQUAL 0)
    list(APPEND empty ${label})
  else()
    message(STATUS "label ${label}: ${count} tests")
  endif()
endforeach()
if(empty)
  message(FATAL_ERROR "labels that select no test: ${empty}")
endif()
