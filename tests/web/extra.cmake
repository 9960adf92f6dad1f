# The simulator's PNG writer is tested against the desktop's image library.
target_sources(brinecast_tests_web PRIVATE ${CMAKE_SOURCE_DIR}/tools/sim/PngFile.cpp)
target_include_directories(brinecast_tests_web PRIVATE ${CMAKE_SOURCE_DIR}/tools/sim)

# The simulator built for node (scripts/web.sh --build-only) against this build's: every
# script under tests/ gives the same output, and recordings verify the same both ways.
set(BRINECAST_WEB_SIM "${CMAKE_SOURCE_DIR}/build-web/brinecast-sim.js" CACHE FILEPATH
  "The simulator built for node, compared with the native one when it exists")
find_program(BRINECAST_NODE node)
if(TARGET brinecast-sim AND EXISTS "${BRINECAST_WEB_SIM}" AND BRINECAST_NODE)
  file(GLOB_RECURSE web_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.sim)
  foreach(script ${web_scripts})
    file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR}/tests ${script})
    string(REGEX REPLACE "\\.sim$" "" name "${name}")
    string(REPLACE "/" "." name "${name}")
    add_test(NAME web.same.${name}
      COMMAND bash ${folder}/node_sim_same.sh $<TARGET_FILE:brinecast-sim> ${BRINECAST_WEB_SIM}
        ${script} ${CMAKE_CURRENT_BINARY_DIR}/web_same/${name})
    set_tests_properties(web.same.${name} PROPERTIES LABELS web TIMEOUT 240)
  endforeach()
  add_test(NAME web.verify_both_ways
    COMMAND bash ${folder}/node_sim_verify.sh $<TARGET_FILE:brinecast-sim> ${BRINECAST_WEB_SIM}
      ${folder}/play_a_game.sim ${CMAKE_CURRENT_BINARY_DIR}/web_verify)
  set_tests_properties(web.verify_both_ways PROPERTIES LABELS web TIMEOUT 300)
else()
  message(STATUS "web.* simulator tests left out: no ${BRINECAST_WEB_SIM} (scripts/web.sh --build-only)")
endif()

# The page in headless Chromium against the real score server.
include(${folder}/browser/tests.cmake OPTIONAL)
