# Configures tests/consumer, a host project that includes Tralto, with
# Tralto's sanitizers and warnings as errors switched on, and checks the
# compile commands: Tralto's own files carry -Wall, -Werror and -fsanitize,
# the host's files none of them.
#
# cmake -DSOURCE=<repository> -DSCRATCH=<folder> -P CheckConsumer.cmake

file(REMOVE_RECURSE "${SCRATCH}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}/tests/consumer" -B "${SCRATCH}"
    "-DTRALTO_SOURCE_DIR=${SOURCE}" -DTRALTO_SANITIZE=ON -DTRALTO_WERROR=ON
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The host project does not configure:\n${output}")
endif()

file(READ "${SCRATCH}/compile_commands.json" commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(host_seen 0)
set(own_seen 0)
set(failures "")
foreach(index RANGE ${last})
  string(JSON file GET "${commands}" ${index} file)
  string(JSON command GET "${commands}" ${index} command)
  if(file MATCHES "/tests/consumer/Consumer(Window)?\\.cpp$")
    math(EXPR host_seen "${host_seen} + 1")
    foreach(flag -Wall -Wextra -Werror -fsanitize)
      string(FIND "${command}" "${flag}" found)
      if(NOT found EQUAL -1)
        string(APPEND failures "host file ${file} compiled with ${flag}\n")
      endif()
    endforeach()
    # A host that links the engine alone sees its public headers, not the
    # whole repository.
    if(file MATCHES "/Consumer\\.cpp$")
      string(REGEX MATCHALL "-I[^ ]+" includes "${command}")
      list(FIND includes "-I${SOURCE}" root)
      if(NOT root EQUAL -1)
        string(APPEND failures "host file ${file} includes from the repository root\n")
      endif()
    endif()
  elseif(file MATCHES "/coordinates/CoordSet3D\\.cpp$|/windows/Coordform\\.cpp$")
    math(EXPR own_seen "${own_seen} + 1")
    foreach(flag -Wall -Wextra -Werror -fsanitize)
      string(FIND "${command}" "${flag}" found)
      if(found EQUAL -1)
        string(APPEND failures "Tralto's ${file} compiled without ${flag}\n")
      endif()
    endforeach()
  endif()
endforeach()
file(REMOVE_RECURSE "${SCRATCH}")

if(NOT host_seen EQUAL 2 OR NOT own_seen EQUAL 2)
  message(FATAL_ERROR "Expected 2 host and 2 Tralto files, found ${host_seen} and ${own_seen}")
endif()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "The host keeps its own flags; Tralto's files keep theirs")
