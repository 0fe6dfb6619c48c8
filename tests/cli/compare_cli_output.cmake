# Runs gradation-cli on "abc" with the standard setting and compares its output bytes.
execute_process(
  COMMAND ${CLI} --line "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0"
          --text abc
  OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/abc_standard.out
  RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "gradation-cli exited with ${code}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CMAKE_CURRENT_BINARY_DIR}/abc_standard.out ${EXPECTED}
                RESULT_VARIABLE differ)
if(differ)
  file(READ ${CMAKE_CURRENT_BINARY_DIR}/abc_standard.out got HEX)
  message(FATAL_ERROR "output differs from ${EXPECTED}; got bytes ${got}")
endif()
