# The pieces the web build swaps in, held against what the desktop build uses: no game data.
set(test_links brinecast_app brinecast_platform_headless SDL2_image::SDL2_image ZLIB::ZLIB)
set(test_needs_data OFF)
