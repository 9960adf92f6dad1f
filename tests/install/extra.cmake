# The installed game: its command line, the refusal to run unseen, the install layout with its
# desktop files, the installed game played from a scratch prefix, and the Debian package.
set(install_tests ${CMAKE_CURRENT_LIST_DIR})
add_test(NAME install.command_line
  COMMAND bash ${install_tests}/command_line.sh $<TARGET_FILE:brinecast>)
add_test(NAME install.no_display
  COMMAND bash ${install_tests}/no_display.sh $<TARGET_FILE:brinecast> ${BRINECAST_APPDIR})
add_test(NAME install.player_folder
  COMMAND bash ${install_tests}/player_folder.sh $<TARGET_FILE:brinecast> ${BRINECAST_APPDIR})
add_test(NAME install.layout COMMAND bash ${install_tests}/layout.sh ${CMAKE_BINARY_DIR}
  $<TARGET_EXISTS:brinecast-scores>)
add_test(NAME install.play_installed
  COMMAND bash ${install_tests}/play_installed.sh ${CMAKE_BINARY_DIR})
add_test(NAME install.package COMMAND bash ${install_tests}/package.sh ${CMAKE_BINARY_DIR}
  $<TARGET_EXISTS:brinecast-scores>)
if(TARGET brinecast-sim)
  add_test(NAME install.screenshots COMMAND bash ${install_tests}/screenshots.sh
    $<TARGET_FILE:brinecast-sim> ${CMAKE_SOURCE_DIR}/packaging/screenshots.sim ${CMAKE_BINARY_DIR})
  set_tests_properties(install.screenshots PROPERTIES LABELS install TIMEOUT 120)
endif()
set_tests_properties(install.command_line install.no_display install.player_folder install.layout
  install.play_installed install.package PROPERTIES LABELS install TIMEOUT 180)
# The sanitizer's leak check cannot see past the X and GL libraries the real window loads.
set_tests_properties(install.play_installed PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
