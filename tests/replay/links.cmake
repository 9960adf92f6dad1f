# The recording file and its tape on their own; the determinism test plays whole games.
set(test_needs_data ON)
