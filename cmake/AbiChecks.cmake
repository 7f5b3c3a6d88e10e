# Static ABI checks of the 32-bit Windows build: export names and ordinals,
# stack clean-up of every export, and the decorated names through which the
# camera library imports the serial library. Every fact comes from the
# libraries' export tables (cmake/ExportTables.cmake). The same exports are
# called at run time, under 32-bit Wine, by camera/tests/runtime_abi_tests.cpp.
set(ABI_CHECK ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/abi/abi_check.py)

if(TARGET comm32)
  suite_add_script_test(abi.comm32_exports
    COMMAND ${ABI_CHECK} exports $<TARGET_FILE:comm32>
            $<TARGET_PROPERTY:comm32,SUITE_EXPORT_TABLE> --stdcall
    LABELS abi)
endif()

if(TARGET peltrix)
  suite_add_script_test(abi.peltrix_exports
    COMMAND ${ABI_CHECK} exports $<TARGET_FILE:peltrix>
            $<TARGET_PROPERTY:peltrix,SUITE_EXPORT_TABLE> --ordinals ascii
    LABELS abi)
  suite_add_script_test(abi.peltrix_imports_comm32
    COMMAND ${ABI_CHECK} imports $<TARGET_FILE:peltrix> comm32.dll
            $<TARGET_PROPERTY:comm32,SUITE_EXPORT_TABLE> --stdcall
    LABELS abi)
endif()

if(TARGET webpost)
  # Plain names, as callers bind them by name; each removes its arguments.
  suite_add_script_test(abi.webpost_exports
    COMMAND ${ABI_CHECK} exports $<TARGET_FILE:webpost>
            $<TARGET_PROPERTY:webpost,SUITE_EXPORT_TABLE>
    LABELS abi webpost)
endif()
