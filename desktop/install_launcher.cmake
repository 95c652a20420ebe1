# Run by `cmake --install`: puts the desktop menu's launcher and its icon into
# the user's data folder ($XDG_DATA_HOME, or ~/.local/share), where desktops
# look for them. The launcher starts the program of this install, so it is
# written now, when `--prefix` is known, not when the build was configured.
#
# Expects QUDRIM_LAUNCHER_TEMPLATE, QUDRIM_ICON and QUDRIM_LAUNCHER_STAGING
# (a folder of the build tree) to be set, and CMAKE_INSTALL_PREFIX, which
# cmake gives every install script.

if(DEFINED ENV{XDG_DATA_HOME} AND IS_ABSOLUTE "$ENV{XDG_DATA_HOME}")
  set(_data "$ENV{XDG_DATA_HOME}")
elseif(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
  set(_data "$ENV{HOME}/.local/share")
else()
  message(WARNING "Neither XDG_DATA_HOME nor HOME is set: the desktop launcher is not installed.")
  return()
endif()

get_filename_component(_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(_program "${_prefix}/qudrim")
if(_program MATCHES "[\n\r]")
  message(FATAL_ERROR "The program folder's path holds a line break; a desktop launcher cannot name it.")
endif()

# Exec takes a command line: the path goes in double quotes, inside which
# `"`, `` ` ``, `$` and `\` are escaped, and `%` is doubled (field codes).
# Then, as in every value of the file, a backslash is written twice.
set(_arg "${_program}")
string(REPLACE "\\" "\\\\" _arg "${_arg}")
string(REPLACE "\"" "\\\"" _arg "${_arg}")
string(REPLACE "`" "\\`" _arg "${_arg}")
string(REPLACE "$" "\\$" _arg "${_arg}")
string(REPLACE "%" "%%" _arg "${_arg}")
set(QUDRIM_EXEC "\"${_arg}\"")
string(REPLACE "\\" "\\\\" QUDRIM_EXEC "${QUDRIM_EXEC}")
# TryExec is a plain path (the menu hides the entry when it is gone).
string(REPLACE "\\" "\\\\" QUDRIM_TRY_EXEC "${_program}")

# One staging folder per prefix: installs to two prefixes may run at once.
string(MD5 _key "${_prefix}")
set(_staged "${QUDRIM_LAUNCHER_STAGING}/${_key}/qudrim.desktop")
configure_file("${QUDRIM_LAUNCHER_TEMPLATE}" "${_staged}" @ONLY)
file(INSTALL "${_staged}" DESTINATION "${_data}/applications")
file(INSTALL "${QUDRIM_ICON}" DESTINATION "${_data}/icons/hicolor/scalable/apps" RENAME qudrim.svg)
