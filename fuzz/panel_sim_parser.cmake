if(TARGET irven_panel_sim_core)
  irven_add_fuzzer(panel_sim_parser
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/panel_sim_parser.cpp
    LIBS irven_panel_sim_core)
endif()
