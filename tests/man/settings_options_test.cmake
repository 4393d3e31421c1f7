# lenscout-cli's manual page names the search period's option where the
# synopsis lists scan's options and where scan is described, with its
# choices, and keeps none of the lines that mark where they go.
file(READ ${PAGE} page)
foreach(expected
    ".RB [ \\-\\-list ]\n.RB [ \\-\\-period\n.IR S ]\n"
    ".B \\-\\-period\n.IR S :\nseconds between searches, 1, 3 or 10; by default the desktop programs' setting (3 ")
  string(FIND "${page}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} lacks:\n${expected}")
  endif()
endforeach()
string(FIND "${page}" "the settings' options:" marker)
if(NOT marker EQUAL -1)
  message(FATAL_ERROR "${PAGE} still holds a marker line")
endif()
