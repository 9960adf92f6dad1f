# The browser platform's pieces that need no browser (WAV reading, the mixer, the finger's
# rules, same-origin addresses), built and tested natively.
if(NOT TARGET brinecast_platform_web)
  brinecast_library(platform_web src/platform/web "PUBLIC;brinecast_platform")
endif()
file(GLOB web_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(brinecast_tests_platform_web ${web_test_sources})
target_link_libraries(brinecast_tests_platform_web PRIVATE brinecast_platform_web GTest::gtest_main)
target_include_directories(brinecast_tests_platform_web PRIVATE ${CMAKE_SOURCE_DIR}/tests)
brinecast_warnings(brinecast_tests_platform_web)
gtest_discover_tests(brinecast_tests_platform_web DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
