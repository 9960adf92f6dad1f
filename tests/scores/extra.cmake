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
