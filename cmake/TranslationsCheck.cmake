# Run by CTest: gathers the marked texts of the sources afresh and fails
# when a catalogue lacks one of them or leaves it untranslated or fuzzy.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${XGETTEXT} ${XGETTEXT_OPTIONS} --output=${WORK_DIR}/zestbox.pot ${SOURCES}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "xgettext failed: ${errors}")
endif()
find_program(MSGCMP msgcmp REQUIRED)
set(failed "")
foreach(language ${LANGUAGES})
  execute_process(COMMAND ${MSGCMP} ${SOURCE_DIR}/po/${language}.po ${WORK_DIR}/zestbox.pot
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    string(APPEND failed "po/${language}.po:\n${errors}\n")
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "texts without a translation (update po/zestbox.pot with the zestbox_pot target, "
                      "then msgmerge):\n${failed}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
