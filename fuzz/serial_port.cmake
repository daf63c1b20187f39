if(TARGET irven_serial_fake)
  irven_add_fuzzer(serial_port
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/serial_port.cpp
    LIBS irven_serial_fake irven_serial)
endif()
