# Static ABI checks of the 32-bit Windows build, which cannot run here: export
# names and ordinals, stack clean-up of every export, and the decorated names
# through which the camera library imports the serial library.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ABI_CHECK ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/abi/abi_check.py)

if(TARGET comm32)
  suite_add_script_test(abi.comm32_exports
    COMMAND ${ABI_CHECK} exports $<TARGET_FILE:comm32> ${CMAKE_CURRENT_LIST_DIR}/abi/comm32_exports.txt
    LABELS abi)
endif()

if(TARGET peltrix)
  suite_add_script_test(abi.peltrix_exports
    COMMAND ${ABI_CHECK} exports $<TARGET_FILE:peltrix> ${CMAKE_CURRENT_LIST_DIR}/abi/peltrix_exports.txt
            --ordinals ascii
    LABELS abi)
  suite_add_script_test(abi.peltrix_imports_comm32
    COMMAND ${ABI_CHECK} imports $<TARGET_FILE:peltrix> comm32.dll
            ComOpen@32 ComSetBaud@8 ComSetFlow@8 ComWrite@12 ComReadTimed@16
            ComReadBufToQuiet@16 ComSleepMS@8 ComClose@4
    LABELS abi)
endif()
