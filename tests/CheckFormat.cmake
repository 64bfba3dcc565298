# Every C and C++ source of the repository is formatted by its .clang-format.
# cmake -DROOT=<repository> -DCLANG_FORMAT=<program> -P CheckFormat.cmake

set(sources "")
foreach(folder expression coordinates format settings localisation glyphs widgets windows app
               cli tests bench fuzz tools)
  file(GLOB_RECURSE found LIST_DIRECTORIES false
    "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.c")
  list(APPEND sources ${found})
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "No sources found under ${ROOT}")
endif()
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run --Werror ${sources}
  WORKING_DIRECTORY "${ROOT}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Not formatted (clang-format -i on the files above mends it)")
endif()
message(STATUS "${count} files formatted")
