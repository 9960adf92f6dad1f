# The menus' own rules: the ui library alone, no built data.
set(test_links brinecast_ui)
set(test_needs_data OFF)
