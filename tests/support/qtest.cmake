# gradation_qtest(name sources...): a Qt Test program run offscreen (no display). Each
# lies in a folder of its own, so a test can put a QX.ini beside its executable,
# where the window program reads it.
function(gradation_qtest name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE Qt6::Test)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gradation_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${name} AUTOMOC ON)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${GRADATION_TEST_CONFIG_HOME};XDG_CONFIG_DIRS=${GRADATION_TEST_CONFIG_HOME}" TIMEOUT 300)
endfunction()

# gradation_english_tests(name): runs the Qt Test program `name` in English at 1x and again
# at 2x (name_2x), its screenshots going into build/screenshots.
function(gradation_english_tests name)
  add_test(NAME ${name}_2x COMMAND ${name})
  foreach(scale 1 2)
    set(test ${name})
    if(scale EQUAL 2)
      set(test ${name}_2x)
    endif()
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;LANGUAGE=en;QT_SCALE_FACTOR=${scale};GRADATION_SCREENSHOT_SUFFIX=-${scale}x;GRADATION_SCREENSHOTS=${CMAKE_BINARY_DIR}/screenshots;XDG_CONFIG_HOME=${GRADATION_TEST_CONFIG_HOME};XDG_CONFIG_DIRS=${GRADATION_TEST_CONFIG_HOME}")
  endforeach()
endfunction()
