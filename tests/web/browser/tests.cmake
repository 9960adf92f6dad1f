# The browser game as players meet it: headless Chromium driven through its DevTools protocol
# against a real brinecast-scores serving the built site. Only where node, Chromium, the site
# (scripts/web.sh --build-only builds it) and the server are all there.
# The site the package carries (BRINECAST_WEB_SITE) when one is named, else scripts/web.sh's.
set(web_site "${BRINECAST_WEB_SITE}")
if(NOT web_site)
  set(web_site ${CMAKE_SOURCE_DIR}/build-web/site)
endif()
find_program(BRINECAST_NODE node)
find_program(BRINECAST_CHROMIUM chromium)
set(browser_folder ${CMAKE_CURRENT_LIST_DIR})
if(BRINECAST_NODE AND BRINECAST_CHROMIUM AND EXISTS ${web_site}/index.html
   AND TARGET brinecast-scores AND TARGET brinecast-replay)
  set(web_out ${CMAKE_CURRENT_BINARY_DIR}/web-browser)
  file(MAKE_DIRECTORY ${web_out})
  add_test(NAME web.page_checks
    COMMAND ${BRINECAST_NODE} --experimental-websocket ${browser_folder}/page_checks.mjs
      $<TARGET_FILE:brinecast-scores> ${web_site} ${web_out}/page_checks)
  set_tests_properties(web.page_checks PROPERTIES LABELS web TIMEOUT 900 RUN_SERIAL ON
    ENVIRONMENT BRINECAST_CHROMIUM=${BRINECAST_CHROMIUM})
  # The whole game needs a table any score enters, written by the desktop tests' helper.
  if(TARGET brinecast_desktop_helper)
    add_test(NAME web.low_table
      COMMAND $<TARGET_FILE:brinecast_desktop_helper> config-write ${web_out}/Config.cfg)
    set_tests_properties(web.low_table PROPERTIES LABELS web FIXTURES_SETUP web_low_table)
    add_test(NAME web.whole_game
      COMMAND ${BRINECAST_NODE} --experimental-websocket ${browser_folder}/whole_game.mjs
        $<TARGET_FILE:brinecast-scores> ${web_site} ${CMAKE_BINARY_DIR}/AppDir
        ${web_out}/Config.cfg ${web_out}/whole_game)
    set_tests_properties(web.whole_game PROPERTIES LABELS web TIMEOUT 1200 RUN_SERIAL ON
      FIXTURES_REQUIRED web_low_table ENVIRONMENT BRINECAST_CHROMIUM=${BRINECAST_CHROMIUM})
  else()
    message(STATUS "web.whole_game left out: needs the desktop tests' helper for its table")
  endif()
else()
  message(STATUS "Browser tests left out: need node, chromium, brinecast-scores and the site at "
    "${web_site} (scripts/web.sh --build-only)")
endif()
