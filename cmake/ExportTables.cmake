# Export tables: each of our libraries lists its exported functions once, in a
# table beside its public header (one line per function: name and number of
# 32-bit arguments; see cmake/abi/export_table.py). The module-definition files
# of the Windows builds are generated from it at build time, and the checks
# read it, so that a name or an argument count is written in one place.
include_guard(GLOBAL)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(EXPORT_TABLE_TOOL ${CMAKE_CURRENT_LIST_DIR}/abi/export_table.py)

# suite_export_def(<target> TABLE <table> LIBRARY <dll name> [STDCALL] [ORDINALS])
# Generates the module-definition file <target>.def from <table> and links the
# library <target> with it. STDCALL lists the names decorated as a 32-bit
# compiler emits __stdcall functions (name@bytes); ORDINALS numbers them 1..N
# in ASCII order of the names. The target's properties SUITE_EXPORT_DEF and
# SUITE_EXPORT_TABLE name the file and the table, for later steps and checks.
function(suite_export_def target)
  cmake_parse_arguments(D "STDCALL;ORDINALS" "TABLE;LIBRARY" "" ${ARGN})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
  set(flags)
  if(D_STDCALL)
    list(APPEND flags --stdcall)
  endif()
  if(D_ORDINALS)
    list(APPEND flags --ordinals)
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${Python3_EXECUTABLE} ${EXPORT_TABLE_TOOL} def ${D_TABLE} ${output}
            --library ${D_LIBRARY} ${flags}
    DEPENDS ${D_TABLE} ${EXPORT_TABLE_TOOL}
    COMMENT "Generating the exports of ${D_LIBRARY} from its table"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  set_target_properties(${target} PROPERTIES SUITE_EXPORT_DEF ${output}
                                             SUITE_EXPORT_TABLE ${D_TABLE})
endfunction()

# suite_add_export_header_test(<name> TABLE <table> HEADER <header> API <macro>)
# Registers a test that <header> declares (with <macro>) exactly the functions
# of <table>, each with the table's number of arguments.
function(suite_add_export_header_test name)
  cmake_parse_arguments(H "" "TABLE;HEADER;API" "LABELS" ${ARGN})
  suite_add_script_test(${name}
    COMMAND ${Python3_EXECUTABLE} ${EXPORT_TABLE_TOOL} check-header ${H_TABLE} ${H_HEADER}
            --api ${H_API}
    LABELS abi ${H_LABELS})
endfunction()

# suite_export_table_rows(<target> TABLE <table> OUTPUT <file name>)
# Generates <file name> in <target>'s binary directory, one C++ initializer
# {"name", argcount}, per function of <table>, and puts that directory on
# <target>'s include path: a host that calls the exports by name at run time
# takes the names and argument counts from the table instead of a copy.
function(suite_export_table_rows target)
  cmake_parse_arguments(R "" "TABLE;OUTPUT" "" ${ARGN})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_generated)
  add_custom_command(OUTPUT ${dir}/${R_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${Python3_EXECUTABLE} ${EXPORT_TABLE_TOOL} cxx-rows ${R_TABLE} ${dir}/${R_OUTPUT}
    DEPENDS ${R_TABLE} ${EXPORT_TABLE_TOOL}
    COMMENT "Generating ${R_OUTPUT} from its export table"
    VERBATIM)
  target_sources(${target} PRIVATE ${dir}/${R_OUTPUT})
  target_include_directories(${target} PRIVATE ${dir})
endfunction()
