# Fails on an include that runs up or sideways between the project's folders, naming the file
# and the line. The rules are the build's own (cmake/Libraries.cmake writes them from what each
# target links): run as a test, cmake -DLAYERS=<build>/layers.txt -P CheckLayers.cmake
#
# Each line of the rules is "folder-or-file|paths it may include"; includes without a folder
# (a file beside its includer, or generated into the build tree) are not judged.
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${LAYERS}")
  message(FATAL_ERROR "No layer rules at '${LAYERS}': configure the build first")
endif()
file(STRINGS "${LAYERS}" rules)
get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(faults "")
foreach(rule ${rules})
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 place)
  list(GET parts 1 may)
  string(REPLACE "," ";" may "${may}")
  if(IS_DIRECTORY "${place}")
    file(GLOB files ${place}/*.h ${place}/*.cpp)
  else()
    set(files ${place})
  endif()
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^#include \"")
    foreach(line ${lines})
      string(REGEX MATCH "^#include \"([^\"]+)\"" _ "${line}")
      get_filename_component(target_folder "${CMAKE_MATCH_1}" DIRECTORY)
      if(target_folder STREQUAL "")
        continue()
      endif()
      if(NOT target_folder IN_LIST may)
        file(RELATIVE_PATH shown ${source_dir} ${file})
        list(JOIN may ", " listed)
        string(APPEND faults "  ${shown}: ${line} (may include: ${listed})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that run up or sideways:\n${faults}")
endif()
list(LENGTH rules count)
message(STATUS "Every include keeps to its layer (${count} places checked)")
