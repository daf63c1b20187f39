irven_add_fuzzer(settings_ini SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_ini.cpp LIBS irven_settings)
