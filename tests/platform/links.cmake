# Both platform back ends and nothing above them; no built data.
set(test_links brinecast_platform_sdl brinecast_platform_headless)
set(test_needs_data OFF)
