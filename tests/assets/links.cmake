# Reads the built archives, music and sounds: the archive reader and the module player.
set(test_links brinecast_engine PkgConfig::XMP)
