add_fuzz_target(log_fuzz orvetta_log)
