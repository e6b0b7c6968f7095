# The build's check that no include climbs out of its folder with "../":
# each folder's library sees only its own view of the tree, and a relative
# path would pass by it (from layers/, "../app/console.h" finds the shell).
# Run by CMake on every build: cmake -DSOURCE_DIR=... -P include-rules.cmake
file(GLOB_RECURSE sources LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/assets/*.h" "${SOURCE_DIR}/assets/*.cpp" "${SOURCE_DIR}/timeline/*.h"
     "${SOURCE_DIR}/overlay/*.h" "${SOURCE_DIR}/overlay/*.cpp" "${SOURCE_DIR}/layers/*.h"
     "${SOURCE_DIR}/layers/*.cpp" "${SOURCE_DIR}/track/*.h" "${SOURCE_DIR}/track/*.cpp"
     "${SOURCE_DIR}/app/*.h" "${SOURCE_DIR}/app/*.cpp" "${SOURCE_DIR}/tools/*.h" "${SOURCE_DIR}/tools/*.cpp"
     "${SOURCE_DIR}/web/*.h" "${SOURCE_DIR}/web/*.cpp" "${SOURCE_DIR}/tests/*.h" "${SOURCE_DIR}/tests/*.cpp")
set(climbing)
foreach(source IN LISTS sources)
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]*\\.\\.[/\\\\]")
  foreach(line IN LISTS includes)
    string(STRIP "${line}" line)
    list(APPEND climbing "  ${source}: ${line}")
  endforeach()
endforeach()
if(climbing)
  list(JOIN climbing "\n" lines)
  message(FATAL_ERROR "an include names a path through \"../\"; include by the folder's name from the tree's "
                      "root instead (\"app/console.h\"), which the folder's library may see only if it lies "
                      "below it:\n${lines}")
endif()
