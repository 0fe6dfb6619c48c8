# Runs the real gradation-cli against configuration files and compares its output bytes.
# -DCLI=program -DFIXTURES=dir -DWORK=scratch dir
set(standard "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/linked)

# run(<name> <expected exit code> args...): output in ${WORK}/<name>.out and .err
function(run name code)
  execute_process(COMMAND ${ARGN} OUTPUT_FILE ${WORK}/${name}.out ERROR_FILE ${WORK}/${name}.err
                  RESULT_VARIABLE result)
  if(NOT result EQUAL code)
    file(READ ${WORK}/${name}.err err)
    message(FATAL_ERROR "${name}: exit ${result}, not ${code}: ${err}")
  endif()
endfunction()

function(same name got expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${got} ${expected} RESULT_VARIABLE differ)
  if(differ)
    file(READ ${got} bytes HEX)
    message(FATAL_ERROR "${name}: ${got} differs from ${expected}; got bytes ${bytes}")
  endif()
endfunction()

# The shipped QX.ini beside the program, also when it is started through a link elsewhere.
run(list 0 ${CLI} --list)
same(list ${WORK}/list.out ${FIXTURES}/shipped_qx.list)
file(CREATE_LINK ${CLI} ${WORK}/linked/gradation-cli SYMBOLIC)
run(linked 0 ${WORK}/linked/gradation-cli --list)
same(linked ${WORK}/linked.out ${FIXTURES}/shipped_qx.list)

# Setting 0 converts as its own line does.
run(setting0 0 ${CLI} --setting 0 --text abc)
run(line0 0 ${CLI} --line ${standard} --text abc)
file(SIZE ${WORK}/line0.out size)
if(size EQUAL 0)
  message(FATAL_ERROR "line0: no markup")
endif()
same(setting0 ${WORK}/setting0.out ${WORK}/line0.out)

# A file saved on Windows: Shift-JIS, CR LF, keys 00, 01 and 03.
run(windows 0 ${CLI} --list --ini ${FIXTURES}/windows_sjis_crlf.ini)
same(windows ${WORK}/windows.out ${FIXTURES}/windows_sjis_crlf.list)

# A missing file: exit 1, naming the path.
run(missing 1 ${CLI} --list --ini ${WORK}/missing.ini)
file(READ ${WORK}/missing.err err)
if(NOT err MATCHES "no such file: ${WORK}/missing.ini\n$")
  message(FATAL_ERROR "missing: unexpected message '${err}'")
endif()
