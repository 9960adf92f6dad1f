# The score server's core, and the game's own client and encoder to talk to it.
set(test_links brinecast_scores brinecast_online brinecast_net)
set(test_needs_data OFF)
