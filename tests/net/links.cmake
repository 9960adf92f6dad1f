# The client against a real server on loopback: the network layer, the online pieces and
# the HTTP server library for the test's own server.
set(test_links brinecast_net brinecast_online PkgConfig::HTTPLIB)
set(test_needs_data OFF)
