# The real program with the player's files on the dummy driver.
add_test(NAME storage.player_files
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/player_files.sh $<TARGET_FILE:brinecast> ${BRINECAST_APPDIR})
set_tests_properties(storage.player_files PROPERTIES LABELS storage TIMEOUT 180)
