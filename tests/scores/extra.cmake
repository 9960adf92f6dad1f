# The server's core is a tool library, linked whatever else the test program links.
if(TARGET brinecast_tests_scores AND TARGET brinecast_scores)
  target_link_libraries(brinecast_tests_scores PRIVATE brinecast_scores)
endif()
