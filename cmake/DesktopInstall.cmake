# Run by `cmake --install` after every file is in place (see Packaging.cmake).
#
# The desktop entry: in /usr and /usr/local, whose bin folders are on every
# PATH, it starts `welkor-lumo` by name as distributions do; in any other
# prefix (~/.local, /opt/...) by its full installed path, so the menu and a
# double-clicked .rap start the program wherever PATH points.
#
# The databases: a direct install (no DESTDIR) refreshes the prefix's MIME
# database, its desktop entry cache and, where the prefix has one, its icon
# cache, so .rap files open in the program at once. A staged install (DESTDIR,
# as cpack and distribution builds do) leaves that to the package's triggers.
#
# Needs WELKOR_DESKTOP_TEMPLATE (the entry with Exec=welkor-lumo %f), a
# folder of the build WELKOR_DESKTOP_STAGING, and the install's bin and data
# folders WELKOR_INSTALL_BINDIR and WELKOR_INSTALL_DATADIR.

set(prefix "${CMAKE_INSTALL_PREFIX}")
set(bindir "${WELKOR_INSTALL_BINDIR}")
set(datadir "${WELKOR_INSTALL_DATADIR}")
if(NOT IS_ABSOLUTE "${bindir}")
  set(bindir "${prefix}/${bindir}")
endif()
if(NOT IS_ABSOLUTE "${datadir}")
  set(datadir "${prefix}/${datadir}")
endif()
set(staged "$ENV{DESTDIR}")
string(REGEX REPLACE "/+$" "" system_bindir "${bindir}")

# One Exec argument as the desktop entry format wants it: in double quotes
# with ", `, $ and \ escaped when it holds a reserved character, % doubled;
# then the backslashes of the string value doubled.
function(exec_argument out argument)
  set(text "${argument}")
  if(text MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "`" "\\`" text "${text}")
    string(REPLACE "$" "\\$" text "${text}")
    set(text "\"${text}\"")
  endif()
  string(REPLACE "%" "%%" text "${text}")
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  string(REPLACE "\r" "\\r" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(program "welkor-lumo")
if(NOT system_bindir MATCHES "^/usr(/local)?/bin$")
  if("${bindir}" MATCHES "=")
    # The format forbids "=" in the program part of Exec, quoted or not.
    message(WARNING "The desktop entry starts `welkor-lumo` by name: its folder \"${bindir}\" holds an "
                    "equals sign, which a desktop entry cannot name; put that folder on PATH.")
  else()
    exec_argument(program "${bindir}/welkor-lumo")
  endif()
endif()

file(READ "${WELKOR_DESKTOP_TEMPLATE}" entry)
string(REPLACE "\nExec=welkor-lumo " "\nExec=${program} " entry "${entry}")
# Written in the build first: file(INSTALL) adds DESTDIR and lists the file
# in the install manifest.
file(WRITE "${WELKOR_DESKTOP_STAGING}/welkor-lumo.desktop" "${entry}")
set(applications "${datadir}/applications")
file(INSTALL DESTINATION "${applications}" TYPE FILE FILES "${WELKOR_DESKTOP_STAGING}/welkor-lumo.desktop")

if(NOT staged STREQUAL "")
  return()
endif()

# A tool that is missing or fails is named, with what to run later; the
# files themselves are installed either way.
function(refresh what)
  list(GET ARGN 0 tool)
  find_program(found ${tool} NO_CACHE)
  if(NOT found)
    list(JOIN ARGN " " command)
    message(WARNING "${tool} not found: ${what} not refreshed (run `${command}` once it is installed)")
    return()
  endif()
  list(JOIN ARGN " " command)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(status EQUAL 0)
    message(STATUS "Refreshed ${what}: ${command}")
  else()
    message(WARNING "${what} not refreshed: `${command}` failed (${status}) ${errors}")
  endif()
endfunction()

refresh("the MIME database" update-mime-database "${datadir}/mime")
refresh("the desktop entry cache" update-desktop-database -q "${applications}")
# An icon cache that is there but stale would hide the new icons; where the
# theme has none, the icons are found without it.
set(hicolor "${datadir}/icons/hicolor")
if(EXISTS "${hicolor}/icon-theme.cache")
  refresh("the icon cache" gtk-update-icon-cache -q -t -f "${hicolor}")
endif()
