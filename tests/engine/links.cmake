# The engine alone, with the archive tool it runs; no built data.
set(test_links brinecast_engine brinecast_platform_headless SDL2_image::SDL2_image)
set(test_needs_data OFF)
