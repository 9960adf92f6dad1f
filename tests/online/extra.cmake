# The test compares against the address the build fixed.
if(TARGET brinecast_tests_online)
  target_compile_definitions(brinecast_tests_online PRIVATE
    BRINECAST_TEST_SCORE_SERVER_DEFAULT="${BRINECAST_SCORE_SERVER_DEFAULT}")
endif()
