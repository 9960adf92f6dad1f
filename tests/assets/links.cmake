# Reads the built archives, music and sounds: the archive reader and the module player;
# the menu test reads the screens' layout tables from the app.
set(test_links brinecast_engine brinecast_app PkgConfig::XMP)
