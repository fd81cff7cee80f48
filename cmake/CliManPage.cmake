# Writes the manual page of welkor-lumo-cli from the program's own help, so
# the two never differ: the general help gives the name, the synopsis and the
# description, each command's help its own subsection. Run by the build:
#   cmake -DCLI=<welkor-lumo-cli> -DOUT=<page> -DDATE=<yyyy-mm-dd> -DVERSION=<x.y> -P CliManPage.cmake
#
# Paragraphs of the help (lines from the left margin) are filled by man;
# usage lines and indented lines (the tables of commands and formats) are
# kept as they are.

cmake_minimum_required(VERSION 3.25)

foreach(var CLI OUT DATE VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CliManPage.cmake needs -D${var}=...")
  endif()
endforeach()

# CMake lists split at ";" and treat "[" and "]" specially: the help text uses
# all three, so they travel as placeholders while the text is a list of lines.
string(ASCII 1 kSemicolon)
string(ASCII 2 kOpen)
string(ASCII 3 kClose)

function(help_lines out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 ${CLI} ${ARGN} --help
                  OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed (${status})")
  endif()
  string(REPLACE ";" "${kSemicolon}" text "${text}")
  string(REPLACE "[" "${kOpen}" text "${text}")
  string(REPLACE "]" "${kClose}" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One line as roff text: backslashes and minus signs escaped, a leading
# control character made plain, the placeholders turned back.
function(roff_text out line)
  string(REPLACE "\\" "\\e" line "${line}")
  string(REPLACE "-" "\\-" line "${line}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
  string(REPLACE "${kSemicolon}" ";" line "${line}")
  string(REPLACE "${kOpen}" "[" line "${line}")
  string(REPLACE "${kClose}" "]" line "${line}")
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

# Help lines (the list named by `list`) as roff: paragraphs filled; usage
# lines and indented blocks verbatim.
function(roff_body out list)
  set(body "")
  set(mode "") # "", "fill" or "verbatim"
  foreach(line IN LISTS ${list})
    if(line STREQUAL "")
      if(mode STREQUAL "verbatim")
        string(APPEND body ".fi\n")
      endif()
      set(mode "")
      continue()
    endif()
    if(line MATCHES "^ " OR line MATCHES "^Użycie: ")
      if(NOT mode STREQUAL "verbatim")
        if(mode STREQUAL "")
          string(APPEND body ".PP\n")
        endif()
        string(APPEND body ".nf\n")
        set(mode "verbatim")
      endif()
    elseif(NOT mode STREQUAL "fill")
      if(mode STREQUAL "verbatim")
        string(APPEND body ".fi\n")
      else()
        string(APPEND body ".PP\n")
      endif()
      set(mode "fill")
    endif()
    roff_text(text "${line}")
    string(APPEND body "${text}\n")
  endforeach()
  if(mode STREQUAL "verbatim")
    string(APPEND body ".fi\n")
  endif()
  set(${out} "${body}" PARENT_SCOPE)
endfunction()

help_lines(general)
list(POP_FRONT general title)
# "welkor-lumo-cli — what it is": the part after the dash names the program.
string(REGEX REPLACE "^[^ ]+ — " "" summary "${title}")
roff_text(summary "${summary}")

set(usage "")
set(commands "")
set(description "")
set(in_commands FALSE)
foreach(line IN LISTS general)
  if(line MATCHES "^Użycie: (.*)$")
    roff_text(usage "${CMAKE_MATCH_1}")
    continue()
  endif()
  if(line STREQUAL "Polecenia:")
    set(in_commands TRUE)
  elseif(line STREQUAL "")
    set(in_commands FALSE)
  elseif(in_commands AND line MATCHES "^  ([a-z]+) ")
    list(APPEND commands "${CMAKE_MATCH_1}")
  endif()
  list(APPEND description "${line}")
endforeach()
if(usage STREQUAL "" OR commands STREQUAL "")
  message(FATAL_ERROR "The general help of ${CLI} names no usage or no commands")
endif()
roff_body(description_roff description)

set(page "'\\\" -*- coding: UTF-8 -*-\n")
string(APPEND page ".TH WELKOR\\-LUMO\\-CLI 1 \"${DATE}\" \"Welkor Lumo ${VERSION}\" \"Polecenia użytkownika\"\n")
# English hyphenation patterns would split Polish words wrongly.
string(APPEND page ".nh\n")
string(APPEND page ".SH NAZWA\nwelkor\\-lumo\\-cli \\- ${summary}\n")
string(APPEND page ".SH SKŁADNIA\n.nf\n${usage}\n.fi\n")
string(APPEND page ".SH OPIS\n${description_roff}")
string(APPEND page ".SH POLECENIA\n")
foreach(command IN LISTS commands)
  help_lines(command_help ${command})
  roff_body(body command_help)
  string(APPEND page ".SS ${command}\n${body}")
endforeach()
string(APPEND page ".SH ZOBACZ TAKŻE\n.BR welkor\\-lumo (1)\n")
file(WRITE "${OUT}" "${page}")
