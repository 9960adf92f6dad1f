# The desktop platform's sound, music and joystick are tested on SDL's dummy drivers;
# the game's own effects come from the media library.
target_link_libraries(brinecast_tests_platform PRIVATE brinecast_platform_sdl brinecast_media)

# The real window under a private Xvfb: frame placement without and with a window manager,
# maximise, the icon and the window class. Only where the X tools are installed.
find_program(BRINECAST_XVFB Xvfb)
find_program(BRINECAST_XDOTOOL xdotool)
find_program(BRINECAST_IMPORT import)
find_program(BRINECAST_XPROP xprop)
find_program(BRINECAST_EVILWM evilwm)
add_executable(brinecast_window_probe ${folder}/probe/window_probe.cpp)
target_link_libraries(brinecast_window_probe PRIVATE brinecast_platform_sdl)
brinecast_warnings(brinecast_window_probe)
if(BRINECAST_XVFB AND BRINECAST_XDOTOOL AND BRINECAST_IMPORT AND BRINECAST_XPROP AND BRINECAST_EVILWM)
  add_test(NAME platform.real_window
    COMMAND bash ${folder}/real_window.sh $<TARGET_FILE:brinecast_window_probe>
      ${CMAKE_CURRENT_BINARY_DIR}/platform_window)
  set_tests_properties(platform.real_window PROPERTIES LABELS desktop TIMEOUT 180 RUN_SERIAL ON)
else()
  message(STATUS "platform.real_window left out: needs Xvfb, xdotool, import, xprop and evilwm")
endif()

# The browser platform's native tests live in their own folder.
include(${folder}/web/tests.cmake)
