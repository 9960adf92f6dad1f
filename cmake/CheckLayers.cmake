# Fails on an include that runs up or sideways between the folders of src/, naming the file
# and the line. Run as a test: cmake -DSOURCE_DIR=<checkout> -P CheckLayers.cmake
#
# Each folder may include itself and the folders listed after it, and nothing else of src/.
cmake_minimum_required(VERSION 3.25)

set(allowed
  "platform:platform"
  "platform/headless:platform,platform/headless"
  "platform/sdl:platform,platform/sdl"
  "engine:platform,engine"
  "media:platform,media"
  "net:net"
  "objects:platform,engine,media,objects"
  "storage:storage"
  "ui:storage,ui"
  "protocol:protocol"
  "online:protocol,online"
  "replay:platform,replay"
  "app:platform,engine,media,net,objects,storage,ui,protocol,online,replay,app,app/screens"
  "app/replay:platform,engine,media,net,objects,storage,ui,protocol,online,replay,app,app/replay"
  "app/screens:platform,engine,media,net,objects,storage,ui,protocol,online,replay,app,app/screens")

set(faults "")
foreach(entry ${allowed})
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 folder)
  list(GET parts 1 may)
  string(REPLACE "," ";" may "${may}")
  file(GLOB files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^#include \"")
    foreach(line ${lines})
      string(REGEX MATCH "^#include \"([^\"]+)\"" _ "${line}")
      set(target "${CMAKE_MATCH_1}")
      get_filename_component(target_folder "${target}" DIRECTORY)
      if(target_folder STREQUAL "")
        continue()  # generated headers in the build tree
      endif()
      if(NOT target_folder IN_LIST may)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
        string(APPEND faults "  ${shown}: ${line} (src/${folder} may include: ${may})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that run up or sideways:\n${faults}")
endif()
message(STATUS "Every include of src/ keeps to its layer")
