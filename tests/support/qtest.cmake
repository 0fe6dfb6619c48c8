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
