# The server's core is a tool library, linked whatever else the test program links.
if(TARGET brinecast_tests_scores AND TARGET brinecast_scores)
  target_link_libraries(brinecast_tests_scores PRIVATE brinecast_scores)
endif()
# Some tests run the server's executable, and the simulator to play the games it proves, so
# both must be built first.
if(TARGET brinecast_tests_scores)
  add_dependencies(brinecast_tests_scores brinecast-scores)
  if(TARGET brinecast-sim)
    add_dependencies(brinecast_tests_scores brinecast-sim)
  endif()
endif()
