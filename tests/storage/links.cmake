# The record, the file and the table's rules: the storage library alone, no built data.
set(test_links brinecast_storage)
set(test_needs_data OFF)
