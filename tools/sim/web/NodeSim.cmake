# The simulator as a node program: `node brinecast-sim.js ARGS` with the native one's command
# line, on the real file system. What needs threads, signals or libcurl has a node
# counterpart here.
set(native_only ${CMAKE_CURRENT_SOURCE_DIR}/ScratchFolderSignals.cpp)
set_source_files_properties(${native_only} PROPERTIES HEADER_FILE_ONLY ON)
target_sources(brinecast-sim PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/web/ScratchFolderSignalsNode.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/web/NoScoreServer.cpp)
target_link_libraries(brinecast-sim PRIVATE brinecast_net)
set(pre_js ${CMAKE_CURRENT_SOURCE_DIR}/web/node-pre.js)
target_link_options(brinecast-sim PRIVATE
  -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
  -sTOTAL_STACK=8388608 --pre-js ${pre_js})
set_target_properties(brinecast-sim PROPERTIES SUFFIX .js LINK_DEPENDS ${pre_js})
