# The server's core is a tool library, linked whatever else the test program links.
if(TARGET brinecast_tests_scores AND TARGET brinecast_scores)
  target_link_libraries(brinecast_tests_scores PRIVATE brinecast_scores)
endif()
# Some tests run the server's executable, the game's replayer it proves recordings with, and
# the simulator to play the games it proves, so all three must be built first.
if(TARGET brinecast_tests_scores)
  add_dependencies(brinecast_tests_scores brinecast-scores)
  if(TARGET brinecast-replay)
    add_dependencies(brinecast_tests_scores brinecast-replay)
  endif()
  if(TARGET brinecast-sim)
    add_dependencies(brinecast_tests_scores brinecast-sim)
  endif()
endif()
# The replayer's manual page against what the built replayer prints.
if(TARGET brinecast_tests_scores AND TARGET brinecast-replay)
  add_test(NAME ReplayManual.ExplainsEveryReportMember
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scores/replay_manual.sh
      ${CMAKE_SOURCE_DIR}/tools/scores/replay/brinecast-replay.6 $<TARGET_FILE:brinecast-replay>)
endif()
