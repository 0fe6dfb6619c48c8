# Writes one desktop entry at install time, when the prefix is known (cmake --install --prefix,
# or /usr in the package). Included by the install rules with ENTRY_IN (the template), PROGRAM,
# BINDIR, DATADIR and GRADATION_TITLE (the window's caption) set. The template's
# @GRADATION_LAUNCHER@ becomes the program in bin/: a plain string in TryExec, a command line
# in Exec; under /usr, where the menu finds it on the PATH, the bare program name.
# Install scripts run under old policies, where @VAR@ in a quoted string is expanded at once;
# include() gives this file a policy scope of its own.
cmake_policy(VERSION 3.25)

# A string value of a desktop entry: backslash and line ends escaped.
function(gradation_desktop_string text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" AND BINDIR STREQUAL "bin")
  set(launcher "${PROGRAM}")
else()
  set(launcher "${CMAKE_INSTALL_PREFIX}/${BINDIR}/${PROGRAM}")
endif()

# Exec is a command line: a path holding one of the format's reserved characters is quoted,
# with ", `, $ and \ escaped inside the quotes; % is written %% since it starts field codes.
set(command "${launcher}")
string(REPLACE "%" "%%" command "${command}")
string(REGEX MATCH "[] \t\n\"'\\\\><~|&;$*?#()`[]" reserved "${command}")
if(reserved)
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" command "${command}")
  set(command "\"${command}\"")
endif()
gradation_desktop_string("${command}" GRADATION_EXEC)
gradation_desktop_string("${launcher}" GRADATION_LAUNCHER)

file(READ "${ENTRY_IN}" template)
string(REPLACE "\nExec=@GRADATION_LAUNCHER@\n" "\nExec=@GRADATION_EXEC@\n" template "${template}")
set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${DATADIR}/applications/${PROGRAM}.desktop")
message(STATUS "Installing: ${entry}")
file(CONFIGURE OUTPUT "${entry}" CONTENT "${template}" @ONLY)
file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
