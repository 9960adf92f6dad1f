# The test's own loopback server needs the HTTP server library whatever else is linked.
if(TARGET brinecast_tests_net)
  target_link_libraries(brinecast_tests_net PRIVATE PkgConfig::HTTPLIB)
endif()
