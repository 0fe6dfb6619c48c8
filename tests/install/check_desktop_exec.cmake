# Installs the build under prefixes with characters a desktop entry reserves and checks that
# the menu entry still starts the installed program:
#   cmake -DBUILD_DIR=... -DWORK=... -DDESKTOP_FILE_VALIDATE=... -P check_desktop_exec.cmake
# One row per prefix: the folder under WORK, then Exec as it must be written (@W@ is WORK).
# TryExec is always the plain path.
set(folders plain "my apps" [[a$b%c"d`e]])
set(execs
  [[@W@/plain/bin/gradation]]
  [["@W@/my apps/bin/gradation"]]
  [["@W@/a\\$b%%c\\"d\\`e/bin/gradation"]])

if(WORK MATCHES "[] \t\"'\\\\><~|&;$*?#()`%[]")
  message(FATAL_ERROR "the work folder ${WORK} holds a reserved character itself; the table assumes none")
endif()
file(REMOVE_RECURSE "${WORK}")
set(failures "")
foreach(i RANGE 2)
  list(GET folders ${i} folder)
  list(GET execs ${i} exec)
  string(REPLACE "@W@" "${WORK}" exec "${exec}")
  set(prefix "${WORK}/${folder}")
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(APPEND failures "\n  cmake --install --prefix '${prefix}' failed: ${output}")
    continue()
  endif()
  set(entry "${prefix}/share/applications/gradation.desktop")
  file(STRINGS "${entry}" lines REGEX "^(Try)?Exec=")
  if(NOT lines STREQUAL "Exec=${exec};TryExec=${prefix}/bin/gradation")
    string(APPEND failures "\n  under '${folder}' the entry reads '${lines}', not 'Exec=${exec}' and 'TryExec=${prefix}/bin/gradation'")
  endif()
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE complaints ERROR_VARIABLE complaints)
  if(NOT result EQUAL 0 OR NOT complaints STREQUAL "")
    string(APPEND failures "\n  desktop-file-validate under '${folder}': ${complaints}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "Desktop entries under unusual prefixes:${failures}")
endif()
message(STATUS "Desktop entries under ${folders} checked")
