# The desktop platform's sound, music and joystick are tested on SDL's dummy drivers;
# the game's own effects come from the media library.
target_link_libraries(brinecast_tests_platform PRIVATE brinecast_platform_sdl brinecast_media)
