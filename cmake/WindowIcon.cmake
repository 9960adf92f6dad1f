# The window's icon, from the game's own art: the SVG rasterised at 64 px, its pixels turned
# into a header in the build tree and compiled into the desktop platform.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(window_icon_dir ${CMAKE_BINARY_DIR}/generated/window_icon)
set(window_icon_png ${window_icon_dir}/brinecast-64.png)
set(window_icon_header ${window_icon_dir}/platform/sdl/WindowIconPixels.h)

add_executable(brinecast_icon_pixels ${CMAKE_SOURCE_DIR}/src/platform/sdl/icon/IconPixels.cpp)
target_link_libraries(brinecast_icon_pixels PRIVATE SDL2::SDL2 SDL2_image::SDL2_image)
# A build step, not the game: the sanitizers judge the game.
set_property(TARGET brinecast_icon_pixels PROPERTY COMPILE_OPTIONS "")
set_property(TARGET brinecast_icon_pixels PROPERTY LINK_OPTIONS "")
brinecast_warnings(brinecast_icon_pixels)

add_custom_command(OUTPUT ${window_icon_png}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${window_icon_dir}/platform/sdl
  COMMAND ${RSVG_CONVERT} --width 64 --height 64 --output ${window_icon_png}
    ${CMAKE_SOURCE_DIR}/packaging/brinecast.svg
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/brinecast.svg
  COMMENT "Rasterising the window icon" VERBATIM)
add_custom_command(OUTPUT ${window_icon_header}
  COMMAND brinecast_icon_pixels ${window_icon_png} ${window_icon_header}
  DEPENDS brinecast_icon_pixels ${window_icon_png}
  COMMENT "Turning the window icon into pixels" VERBATIM)
target_sources(brinecast_platform_sdl PRIVATE ${window_icon_header})
target_include_directories(brinecast_platform_sdl PRIVATE ${window_icon_dir})
