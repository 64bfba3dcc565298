# Checks that every folder includes only from its own floor or below, and
# that the engine includes no Qt header; cmake/Floors.cmake names the floors.
# A folder with sources that is neither a floor nor listed there as outside
# the product would go unchecked, so it fails the check too.
#
# cmake -DROOT=<repository> -P CheckLayers.cmake
# Ends with an error that lists each offending line; silent when all is well.

cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "ROOT (the folder that holds the floors) is not set")
endif()

include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/Floors.cmake")

set(violations "")
file(GLOB children LIST_DIRECTORIES true RELATIVE "${ROOT}" "${ROOT}/*")
foreach(child IN LISTS children)
  if(NOT IS_DIRECTORY "${ROOT}/${child}" OR child MATCHES "^(\\.|build)"
     OR child IN_LIST TRALTO_PRODUCT_FOLDERS OR child IN_LIST TRALTO_OTHER_SOURCE_FOLDERS)
    continue()
  endif()
  file(GLOB_RECURSE strays LIST_DIRECTORIES false RELATIVE "${ROOT}"
    "${ROOT}/${child}/*.h" "${ROOT}/${child}/*.cpp" "${ROOT}/${child}/*.c")
  foreach(stray IN LISTS strays)
    string(APPEND violations "${stray}: ${child}/ is in no list of cmake/Floors.cmake\n")
  endforeach()
endforeach()

set(checked 0)
foreach(folder IN LISTS TRALTO_PRODUCT_FOLDERS)
  set(own_floor ${TRALTO_FLOOR_${folder}})
  set(reach ${own_floor})
  if(DEFINED TRALTO_REACH_${folder})
    set(reach ${TRALTO_REACH_${folder}})
  endif()
  file(GLOB_RECURSE sources LIST_DIRECTORIES false
    "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.c")
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    file(RELATIVE_PATH shown "${ROOT}" "${source}")
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
      if(reach EQUAL 1 AND line MATCHES "<" AND header MATCHES "^(Qt|Q[A-Z])")
        string(APPEND violations "${shown}: ${folder}/ is built on the engine alone: ${header}\n")
        continue()
      endif()
      if(NOT line MATCHES "\"")
        continue()
      endif()
      if(NOT header MATCHES "/")
        string(APPEND violations "${shown}: include without its folder: ${header}\n")
        continue()
      endif()
      string(REGEX REPLACE "/.*$" "" target_folder "${header}")
      if(NOT DEFINED TRALTO_FLOOR_${target_folder})
        string(APPEND violations "${shown}: includes from ${target_folder}/, which is no floor\n")
      elseif(NOT target_folder STREQUAL folder AND TRALTO_FLOOR_${target_folder} GREATER reach)
        string(APPEND violations
          "${shown}: floor ${own_floor} includes ${header} from floor ${TRALTO_FLOOR_${target_folder}}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No sources found under ${ROOT}")
endif()
if(violations)
  # Unformatted, one line each, so that a reader (and the planted-include
  # check) finds every file name whole.
  message(NOTICE "${violations}")
  message(FATAL_ERROR "Sources against the floors, listed above")
endif()
message(STATUS "${checked} files keep to their floors")
