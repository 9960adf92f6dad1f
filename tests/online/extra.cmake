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
  foreach(script recording_upload upload_retry)
    add_test(NAME online.${script}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/${script}.sh $<TARGET_FILE:brinecast-sim>
        $<TARGET_FILE:brinecast_recording_listener> ${BRINECAST_APPDIR})
    set_tests_properties(online.${script} PROPERTIES LABELS online TIMEOUT 180)
  endforeach()
endif()

# The whole game with its recordings kept and uploaded: it links the game and reads its data,
# so it stands apart from the pure tests above.
file(GLOB kept_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/game/*.cpp)
add_executable(brinecast_tests_online_game ${kept_sources})
target_link_libraries(brinecast_tests_online_game PRIVATE brinecast_app
  brinecast_platform_headless SDL2_image::SDL2_image PkgConfig::XMP GTest::gtest_main GTest::gmock)
target_include_directories(brinecast_tests_online_game PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(brinecast_tests_online_game PRIVATE BRINECAST_APPDIR="${BRINECAST_APPDIR}")
brinecast_warnings(brinecast_tests_online_game)
add_dependencies(brinecast_tests_online_game brinecast_data)
gtest_discover_tests(brinecast_tests_online_game DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
