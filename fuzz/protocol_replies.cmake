irven_add_fuzzer(protocol_replies
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/protocol_replies.cpp
  LIBS irven_protocol
)
