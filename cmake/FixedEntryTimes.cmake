# Run by CPack on the files it is about to pack: every file and folder gets
# the time SOURCE_DATE_EPOCH names (the commit's time under `make dist`), so
# the zip does not depend on when the sources were checked out or built.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  set(epoch 946684800)
endif()
message(STATUS "entry time ${epoch}, staging ${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d @${epoch} ${CPACK_TEMPORARY_DIRECTORY} ${entries} COMMAND_ERROR_IS_FATAL ANY)
