# Script mode: writes OUTPUT, the manual page of the dravik program DRAVIK, from its --help and
# each command's --help, so the page says what the program says. Kept preformatted: the help
# texts are laid out for a terminal already.
function(help_text var)
  execute_process(COMMAND "${DRAVIK}" ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dravik ${ARGN} --help failed: ${failed}")
  endif()
  # roff: a backslash is written \e, and a line may not begin with a control character.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${DRAVIK}" --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX REPLACE " \\(.*" "" version "${version}")
help_text(overview)

set(page ".TH DRAVIK 1 \"\" \"${version}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\ndravik \\- convert form files and work with their languages and settings files\n")
string(APPEND page ".SH SYNOPSIS\n.B dravik\n.I COMMAND\n[\\fIOPTIONS\\fR] [\\fIARGS\\fR]\n")
string(APPEND page ".SH DESCRIPTION\n.nf\n${overview}.fi\n.SH COMMANDS\n")
string(REGEX MATCHALL "\n  [a-z]+  " commands "${overview}")
foreach(command IN LISTS commands)
  string(STRIP "${command}" command)
  help_text(text ${command})
  string(APPEND page ".SS ${command}\n.nf\n${text}.fi\n")
endforeach()
string(APPEND page ".SH SEE ALSO\nThe guide, GUIDE.md, in the package's documentation folder.\n")
file(WRITE "${OUTPUT}" "${page}")
