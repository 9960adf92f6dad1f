# The score server's core, the game's own client and encoder to talk to it, and the recording
# file and config record to make the games a server proves; those games are played by the
# simulator on the built data.
set(test_links brinecast_scores PkgConfig::LIBPQ PkgConfig::SQLITE3 brinecast_online brinecast_net brinecast_replay brinecast_storage)
set(test_needs_data ON)
