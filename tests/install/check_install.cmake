# Installs the build into PREFIX and checks what a user finds there:
#   cmake -DBUILD_DIR=... -DPREFIX=... -DINI_DIR=share/gradation -DDESKTOP_FILE_VALIDATE=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(failures "")
macro(fail message)
  string(APPEND failures "\n  ${message}")
endmacro()

# The programs in bin/, the shipped settings in share/gradation/.
foreach(name bin/gradation bin/gradation-settings bin/gradation-cli ${INI_DIR}/QX.ini)
  if(NOT EXISTS "${PREFIX}/${name}")
    fail("${name} is not installed")
  endif()
endforeach()

# Run from elsewhere, gradation-cli finds the shipped QX.ini from its own folder.
execute_process(COMMAND "${PREFIX}/bin/gradation-cli" --list WORKING_DIRECTORY "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE listed ERROR_VARIABLE errors)
string(FIND "${listed}" "00\t起動時標準\n" at)
if(NOT result EQUAL 0 OR at EQUAL -1)
  fail("bin/gradation-cli --list (exit ${result}) does not list setting 00 起動時標準 of the installed QX.ini:\n${listed}${errors}")
endif()

# Each window program's desktop entry starts the installed program and names the installed icon.
foreach(program gradation gradation-settings)
  set(entry "${PREFIX}/share/applications/${program}.desktop")
  if(NOT EXISTS "${entry}")
    fail("no desktop entry share/applications/${program}.desktop")
    continue()
  endif()
  file(STRINGS "${entry}" exec_line REGEX "^Exec=")
  if(NOT exec_line STREQUAL "Exec=${PREFIX}/bin/${program}")
    fail("the desktop entry ${program}.desktop reads ${exec_line}, not Exec=${PREFIX}/bin/${program}")
  endif()
  file(STRINGS "${entry}" icon_line REGEX "^Icon=")
  if(NOT icon_line STREQUAL "Icon=gradation")
    fail("the desktop entry ${program}.desktop reads ${icon_line}, not Icon=gradation")
  endif()
  if(NOT DESKTOP_FILE_VALIDATE)
    fail("desktop-file-validate (desktop-file-utils) is missing: run tools/setup")
  else()
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}" RESULT_VARIABLE result
                    OUTPUT_VARIABLE complaints ERROR_VARIABLE complaints)
    if(NOT result EQUAL 0 OR NOT complaints STREQUAL "")
      fail("desktop-file-validate ${program}.desktop: ${complaints}")
    endif()
  endif()
endforeach()

# The editor answers --version without a display.
execute_process(COMMAND "${PREFIX}/bin/gradation-settings" --version RESULT_VARIABLE result OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version MATCHES "^gradation-settings [0-9]+\\.[0-9]+\\.[0-9]+\n$")
  fail("bin/gradation-settings --version (exit ${result}) printed: ${version}")
endif()

# The icon is a 32 x 32 PNG.
set(icon "${PREFIX}/share/icons/hicolor/32x32/apps/gradation.png")
if(NOT EXISTS "${icon}")
  fail("no icon share/icons/hicolor/32x32/apps/gradation.png")
else()
  file(READ "${icon}" head LIMIT 24 HEX)
  # PNG signature, IHDR chunk, width 32, height 32.
  if(NOT head STREQUAL "89504e470d0a1a0a0000000d494844520000002000000020")
    fail("the icon is not a 32 x 32 PNG (its first bytes: ${head})")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "The installed tree in ${PREFIX} is not as it should be:${failures}")
endif()
message(STATUS "Installed tree in ${PREFIX} checked")
