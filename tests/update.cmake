# Update file: reading and checking lines, merging, and reading real files.
if(NOT WIN32)
  add_core_test(update_read_test orvetta_update)
  add_core_test(update_merge_test orvetta_update)
  add_core_test(update_file_test orvetta_update)
  target_compile_definitions(update_file_test PRIVATE ORVETTA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
