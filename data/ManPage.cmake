# Writes the manual page glimmerframe(1) from what the program's --help prints, so the page says
# what the program does without a second copy of the text to keep in step.
#
#   cmake -DPROGRAM=path/to/glimmerframe -DOUTPUT=glimmerframe.1 -DDATE="June 2025" -P ManPage.cmake
#
# The help's first paragraph ("usage: ...") becomes the SYNOPSIS. Below it, an indented line
# names an option and may begin its description at the column where the indented continuation
# lines start; an unindented line ending in ":" heads a subsection; other unindented lines are
# paragraphs.
cmake_minimum_required(VERSION 3.25)
foreach(var PROGRAM OUTPUT DATE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ManPage.cmake needs -D${var}=...")
  endif()
endforeach()

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version_line)
if(NOT status EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help printed nothing (status ${status})")
endif()
string(REGEX REPLACE "^[^0-9]*([0-9][^ \n]*).*" "\\1" version "${version_line}")

# Text for roff: backslashes kept, dashes as the minus sign of options, no line read as a request.
function(roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The lines as a list; ";" would split them, so it travels as a placeholder.
string(REPLACE ";" "<semicolon>" help "${help}")
string(REGEX REPLACE "\n$" "" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

# Where descriptions start: the indentation of the deepest-indented lines below the synopsis.
set(column 0)
set(below_synopsis NO)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    set(below_synopsis YES)
  elseif(below_synopsis AND line MATCHES "^( +)[^ ]")
    string(LENGTH "${CMAKE_MATCH_1}" indent)
    if(indent GREATER column)
      set(column ${indent})
    endif()
  endif()
endforeach()

string(REPEAT " " ${column} pad)

set(page ".TH GLIMMERFRAME 1 \"${DATE}\" \"Glimmerframe ${version}\" \"User Commands\"
.SH NAME
glimmerframe \\- slide\\-show screen saver with its own authoring tools
.SH SYNOPSIS
.nf
")
set(part synopsis)
set(paragraph "")
foreach(line IN LISTS lines)
  string(REPLACE "<semicolon>" ";" line "${line}")
  if(part STREQUAL "synopsis")
    if(line STREQUAL "")
      string(APPEND page ".fi
.SH DESCRIPTION
Glimmerframe shows pictures one after another, each brought onto the screen by a dissolve, with
comments in chosen colours and sounds. Its settings dialog and template designer compose shows;
a show can be packed into one stand\\-alone program file. It runs as an XScreenSaver display
program, or on its own with the switches below.
.SH OPTIONS
")
      set(part options)
      continue()
    endif()
    # Continued lines keep their indentation under the first.
    string(REGEX REPLACE "^usage: " "       " line "${line}")
    string(REGEX REPLACE "^       " "" line "${line}")
    roff(line "${line}")
    string(REGEX REPLACE "^glimmerframe" "\\\\fBglimmerframe\\\\fR" line "${line}")
    string(APPEND page "${line}\n")
    continue()
  endif()
  if(line STREQUAL "")
    set(paragraph "")
    continue()
  endif()
  if(line MATCHES "^ +[^ ]")
    string(LENGTH "${line}" length)
    string(STRIP "${line}" stripped)
    string(SUBSTRING "${line}" 0 ${column} lead)
    if(lead STREQUAL pad)
      # A further line of the description above.
      roff(text "${stripped}")
      string(APPEND page "${text}\n")
      continue()
    endif()
    set(term "${stripped}")
    set(description "")
    if(length GREATER column)
      math(EXPR before "${column} - 1")
      string(SUBSTRING "${line}" ${before} 1 gap)
      if(gap STREQUAL " ")
        string(SUBSTRING "${line}" 0 ${column} term)
        string(SUBSTRING "${line}" ${column} -1 description)
        string(STRIP "${term}" term)
      endif()
    endif()
    roff(term "${term}")
    roff(description "${description}")
    string(APPEND page ".TP\n.B \"${term}\"\n")
    if(NOT description STREQUAL "")
      string(APPEND page "${description}\n")
    endif()
    continue()
  endif()
  roff(text "${line}")
  if(line MATCHES ":$" AND paragraph STREQUAL "")
    string(REGEX REPLACE ":$" "" text "${text}")
    string(APPEND page ".SS ${text}\n")
    continue()
  endif()
  if(paragraph STREQUAL "")
    string(APPEND page ".PP\n")
    set(paragraph yes)
  endif()
  string(APPEND page "${text}\n")
endforeach()
string(APPEND page ".SH SEE ALSO
.BR xscreensaver (1),
.BR xscreensaver\\-settings (1)
.PP
The user guide, share/glimmerframe/help/index.html under the folder Glimmerframe was installed
into (/usr for the Debian package).
")
file(WRITE "${OUTPUT}" "${page}")
