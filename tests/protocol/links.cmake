# The protocol stands alone; the typing rule of storage is linked to check its texts fit.
set(test_links brinecast_protocol brinecast_storage)
set(test_needs_data OFF)
