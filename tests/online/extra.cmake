# The test compares against the address the build fixed.
if(TARGET brinecast_tests_online)
  target_compile_definitions(brinecast_tests_online PRIVATE
    BRINECAST_TEST_SCORE_SERVER_DEFAULT="${BRINECAST_SCORE_SERVER_DEFAULT}")
endif()

# A stand-in score server for the recording upload through the real simulator.
add_executable(brinecast_recording_listener ${CMAKE_CURRENT_LIST_DIR}/listener/recording_listener.cpp)
target_link_libraries(brinecast_recording_listener PRIVATE brinecast_protocol PkgConfig::HTTPLIB)
brinecast_warnings(brinecast_recording_listener)
if(TARGET brinecast-sim)
  add_test(NAME online.recording_upload
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/recording_upload.sh $<TARGET_FILE:brinecast-sim>
      $<TARGET_FILE:brinecast_recording_listener> ${BRINECAST_APPDIR})
  set_tests_properties(online.recording_upload PROPERTIES LABELS online TIMEOUT 180)
endif()
