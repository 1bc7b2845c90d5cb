# Script mode: writes OUTPUT, the manual page of PROGRAM (called NAME, described by SUMMARY, of
# VERSION) from its --help and, for a program of commands, each command's --help, so the page
# says what the program says. Kept preformatted: the help texts are laid out for a terminal.
function(help_text var)
  execute_process(COMMAND "${PROGRAM}" ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${NAME} ${ARGN} --help failed: ${failed}")
  endif()
  # roff: a backslash is written \e, and a line may not begin with a control character.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" shownName "${NAME}")
help_text(overview)
set(page ".TH ${title} 1 \"\" \"${NAME} ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${shownName} \\- ${SUMMARY}\n")
string(APPEND page ".SH DESCRIPTION\n.nf\n${overview}.fi\n")
# A program of commands lists them as "  NAME  what it does" under "Commands:".
if(overview MATCHES "\nCommands:\n(.*)\n\n")
  string(REGEX MATCHALL "\n  [a-z]+  " commands "\n${CMAKE_MATCH_1}")
  string(APPEND page ".SH COMMANDS\n")
  foreach(command IN LISTS commands)
    string(STRIP "${command}" command)
    help_text(text ${command})
    string(APPEND page ".SS ${command}\n.nf\n${text}.fi\n")
  endforeach()
endif()
string(APPEND page ".SH SEE ALSO\nThe guide, GUIDE.md, in the package's documentation folder.\n")
file(WRITE "${OUTPUT}" "${page}")
