# One whole game of the real desktop program, played under a private Xvfb with xdotool: menus by
# keys and pointer, options, full screen, help, play, name entry sent to a score server of its
# own, table and the exit question. Only where the X tools and curl are installed
# (scripts/deps.sh installs them).
find_program(BRINECAST_XVFB Xvfb)
find_program(BRINECAST_XDOTOOL xdotool)
find_program(BRINECAST_IMPORT import)
find_program(BRINECAST_CURL curl)
find_package(X11)
if(BRINECAST_XVFB AND BRINECAST_XDOTOOL AND BRINECAST_IMPORT AND BRINECAST_CURL AND X11_FOUND
   AND TARGET brinecast-scores)
  add_executable(brinecast_desktop_helper ${folder}/desktop_helper.c)
  target_link_libraries(brinecast_desktop_helper PRIVATE X11::X11)
  # A test tool, not the game: the sanitizers judge the game, not Xlib under this helper.
  set_property(TARGET brinecast_desktop_helper PROPERTY COMPILE_OPTIONS "")
  set_property(TARGET brinecast_desktop_helper PROPERTY LINK_OPTIONS "")
  brinecast_warnings(brinecast_desktop_helper)
  # The game as built, and as installed by cmake --install.
  add_test(NAME desktop.whole_game
    COMMAND bash ${folder}/whole_game.sh --built $<TARGET_FILE:brinecast>
      $<TARGET_FILE:brinecast_desktop_helper> $<TARGET_FILE:brinecast-scores>
      ${CMAKE_CURRENT_BINARY_DIR}/desktop)
  add_test(NAME desktop.whole_game_installed
    COMMAND bash ${folder}/whole_game.sh --installed ${CMAKE_BINARY_DIR}
      $<TARGET_FILE:brinecast_desktop_helper> $<TARGET_FILE:brinecast-scores>
      ${CMAKE_CURRENT_BINARY_DIR}/desktop-installed)
  set_tests_properties(desktop.whole_game desktop.whole_game_installed PROPERTIES
    LABELS desktop TIMEOUT 600 RUN_SERIAL ON)
else()
  message(STATUS "desktop.whole_game left out: needs Xvfb, xdotool, import (ImageMagick), curl, Xlib and brinecast-scores")
endif()
# The seeded sea that whole game counts on, checked in the simulator: it names the cause at once
# when a change to the game moves the first level's fish.
if(TARGET brinecast-sim)
  # Watching a recording in the window: its pace, the watcher's keys, a damaged file.
  add_test(NAME desktop.replay
    COMMAND bash ${folder}/replay.sh $<TARGET_FILE:brinecast> $<TARGET_FILE:brinecast-sim>
      ${CMAKE_CURRENT_BINARY_DIR}/desktop-replay)
  set_tests_properties(desktop.replay PROPERTIES LABELS desktop TIMEOUT 600 RUN_SERIAL ON)
  add_test(NAME desktop.seeded_sea
    COMMAND bash ${folder}/seeded_sea.sh $<TARGET_FILE:brinecast-sim>)
  set_tests_properties(desktop.seeded_sea PROPERTIES LABELS desktop TIMEOUT 300)
endif()
# In the sanitizer build the real-window tests keep every library loaded: SDL unloads the
# OpenGL drivers it tried when it quits, and what they hold then counts as leaked by a module
# no suppression can name.
if(BRINECAST_SANITIZE)
  add_library(brinecast_keep_loaded SHARED ${folder}/keep_loaded.c)
  # Loaded into every program of the test (X tools too), so without the sanitizers.
  set_property(TARGET brinecast_keep_loaded PROPERTY COMPILE_OPTIONS "")
  set_property(TARGET brinecast_keep_loaded PROPERTY LINK_OPTIONS "")
  foreach(real_window_test desktop.whole_game desktop.whole_game_installed desktop.replay)
    if(TEST ${real_window_test})
      set_property(TEST ${real_window_test} APPEND PROPERTY ENVIRONMENT
        LD_PRELOAD=$<TARGET_FILE:brinecast_keep_loaded>)
    endif()
  endforeach()
endif()
