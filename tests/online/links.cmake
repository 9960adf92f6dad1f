# The online pieces are pure: they need neither the game nor its data.
set(test_links brinecast_online)
set(test_needs_data OFF)
