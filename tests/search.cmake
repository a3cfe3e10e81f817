# Search: result lines, the engine, the form model and the command-line lookup.
if(NOT WIN32)
  add_core_test(search_test orvetta_search)
endif()
if(NOT WIN32)
  add_core_test(search_form_test orvetta_search)
endif()
