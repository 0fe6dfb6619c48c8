# Writes one desktop entry at install time, when the prefix is known (cmake --install --prefix,
# or /usr in the package). Included by the install rules with ENTRY_IN (the template), PROGRAM,
# BINDIR and DATADIR set; the template's TRY_EXEC is the program's bin/ link as a plain string
# and EXEC the same path as a command line.

# A string value of a desktop entry: backslash and line ends escaped.
function(gradation_desktop_string text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(launcher "${CMAKE_INSTALL_PREFIX}/${BINDIR}/${PROGRAM}")
gradation_desktop_string("${launcher}" TRY_EXEC)

# Exec is a command line: a path holding one of the format's reserved characters is quoted,
# with ", `, $ and \ escaped inside the quotes; % is written %% since it starts field codes.
set(command "${launcher}")
string(REPLACE "%" "%%" command "${command}")
string(REGEX MATCH "[] \t\n\"'\\\\><~|&;$*?#()`[]" reserved "${command}")
if(reserved)
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" command "${command}")
  set(command "\"${command}\"")
endif()
gradation_desktop_string("${command}" EXEC)

set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${DATADIR}/applications/${PROGRAM}.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${ENTRY_IN}" "${entry}" @ONLY NO_SOURCE_PERMISSIONS)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
