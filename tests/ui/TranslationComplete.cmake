# Fails when the window's Ukrainian misses a text of the window or keeps one the window no longer
# has: lupdate brings a copy of the translation up to date with the sources, and the copy must have
# no entry marked unfinished, vanished or obsolete, and no empty translation.
# Called with -DLUPDATE=... -DSOURCES=<folder> -DTS=<file.ts> -DWORK=<folder>.
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
set(copy ${WORK}/${name})
file(COPY_FILE ${TS} ${copy})
execute_process(
  COMMAND ${LUPDATE} -silent -locations none ${SOURCES} -ts ${copy}
  RESULT_VARIABLE result
  OUTPUT_QUIET ERROR_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${result})")
endif()
file(READ ${copy} text)
string(REGEX MATCHALL
  "<source>[^<]*</source>[ \t\r\n]*<translation(/>|>[ \t\r\n]*</translation>| type=\"(unfinished|vanished|obsolete)\")"
  faults "${text}")
if(faults)
  list(JOIN faults "\n" listed)
  message(FATAL_ERROR "${name} is not complete; run lupdate on ${SOURCES} and translate:\n${listed}")
endif()
message(STATUS "${name}: every text of ${SOURCES} is translated")
