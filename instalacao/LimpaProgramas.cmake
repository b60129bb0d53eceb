# Run by cpack on the staged files, before the package is made: the programs,
# already stripped of their symbols, also lose the compiler's .comment and
# .note sections, as Debian's own packages do.
set(pasta "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin")
file(GLOB programas "${pasta}/*")
if(NOT programas)
  message(FATAL_ERROR "no programs in ${pasta}")
endif()
foreach(programa IN LISTS programas)
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${programa}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip failed on ${programa}")
  endif()
endforeach()
