# Every C and C++ source of the repository is formatted by its .clang-format.
# cmake -DROOT=<repository> -DCLANG_FORMAT=<program> -P CheckFormat.cmake

include("${CMAKE_CURRENT_LIST_DIR}/../cmake/Floors.cmake")
set(sources "")
foreach(folder IN LISTS TRALTO_PRODUCT_FOLDERS TRALTO_OTHER_SOURCE_FOLDERS)
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
