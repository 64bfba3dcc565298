# Checks that every folder includes only from its own floor or below, and
# that the engine includes no Qt header:
#
#   floor 1  expression/ coordinates/ format/   the number engine, no Qt
#   floor 2  settings/ localisation/ glyphs/
#   floor 3  widgets/
#   floor 4  windows/
#   floor 5  app/
#
# cli/ stands beside app/ but is built on the engine alone: it includes only
# from floor 1, and no Qt.
#
# cmake -DROOT=<repository> -P CheckLayers.cmake
# Ends with an error that lists each offending line; silent when all is well.

if(NOT ROOT)
  message(FATAL_ERROR "ROOT (the folder that holds the floors) is not set")
endif()

set(floor_expression 1)
set(floor_coordinates 1)
set(floor_format 1)
set(floor_settings 2)
set(floor_localisation 2)
set(floor_glyphs 2)
set(floor_widgets 3)
set(floor_windows 4)
set(floor_app 5)
set(floor_cli 5)
# The highest floor a folder may include from, where that is not its own.
set(reach_cli 1)
set(folders expression coordinates format settings localisation glyphs widgets windows app cli)

set(violations "")
set(checked 0)
foreach(folder IN LISTS folders)
  set(own_floor ${floor_${folder}})
  set(reach ${own_floor})
  if(DEFINED reach_${folder})
    set(reach ${reach_${folder}})
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
      if(NOT DEFINED floor_${target_folder})
        string(APPEND violations "${shown}: includes from ${target_folder}/, which is no floor\n")
      elseif(NOT target_folder STREQUAL folder AND floor_${target_folder} GREATER reach)
        string(APPEND violations
          "${shown}: floor ${own_floor} includes ${header} from floor ${floor_${target_folder}}\n")
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
  message(FATAL_ERROR "Includes against the floors, listed above")
endif()
message(STATUS "${checked} files keep to their floors")
