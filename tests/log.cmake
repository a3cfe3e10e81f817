# Ham logs: the readers, and the award check with its reports.
if(NOT WIN32)
  add_core_test(log_read_test orvetta_log)
  add_core_test(log_check_test orvetta_log)
endif()
