# One whole game of the real desktop build, played under a private Xvfb with xdotool: menus by
# keys and pointer, options, full screen, help, play, name entry, table and the exit question.
# Only where the X tools are installed (scripts/deps.sh installs them).
find_program(BRINECAST_XVFB Xvfb)
find_program(BRINECAST_XDOTOOL xdotool)
find_program(BRINECAST_IMPORT import)
find_package(X11)
if(BRINECAST_XVFB AND BRINECAST_XDOTOOL AND BRINECAST_IMPORT AND X11_FOUND)
  add_executable(brinecast_desktop_helper ${folder}/desktop_helper.c)
  target_link_libraries(brinecast_desktop_helper PRIVATE X11::X11)
  # A test tool, not the game: the sanitizers judge the game, not Xlib under this helper.
  set_property(TARGET brinecast_desktop_helper PROPERTY COMPILE_OPTIONS "")
  set_property(TARGET brinecast_desktop_helper PROPERTY LINK_OPTIONS "")
  brinecast_warnings(brinecast_desktop_helper)
  add_test(NAME desktop.whole_game
    COMMAND bash ${folder}/whole_game.sh $<TARGET_FILE:brinecast>
      $<TARGET_FILE:brinecast_desktop_helper> ${CMAKE_CURRENT_BINARY_DIR}/desktop)
  set_tests_properties(desktop.whole_game PROPERTIES LABELS desktop TIMEOUT 600 RUN_SERIAL ON)
else()
  message(STATUS "desktop.whole_game left out: needs Xvfb, xdotool, import (ImageMagick) and Xlib")
endif()
