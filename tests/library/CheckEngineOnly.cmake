# Runs the program on the engine alone and checks that its standard output is
# exactly its one line and its standard error empty.
#
# cmake -DPROGRAM=<engine_only> -DEXPECTED=<line> -P CheckEngineOnly.cmake

execute_process(COMMAND "${PROGRAM}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
set(failures "")
if(NOT result EQUAL 0)
  string(APPEND failures "exit status ${result}\n")
endif()
if(NOT output STREQUAL "${EXPECTED}\n")
  string(APPEND failures "standard output:\n${output}\nexpected:\n${EXPECTED}\n")
endif()
if(NOT errors STREQUAL "")
  string(APPEND failures "standard error:\n${errors}\n")
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${output}")
