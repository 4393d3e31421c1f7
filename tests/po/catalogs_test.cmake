# The catalogs' reading, run as a script by CTest on catalogs written here:
#   cmake -DCASE=order|conversions -DWORK=DIR -P catalogs_test.cmake
# "order" must pass; "conversions" must fail the build.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/po_catalogs.cmake)
set(PROJECT_SOURCE_DIR ${WORK})
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/po)
set(LENSCOUT_LANGUAGES "1|kEnglish|English|English|0x0409|en" "2|kOther|Other|Other|0x0804|xx")

file(WRITE ${WORK}/po/lenscout.pot [=[
msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

msgctxt "kOne"
msgid "One; [first]"
msgstr ""

msgctxt "kTwo"
msgid "Two "
"lines\n"
msgstr ""

msgctxt "kThree"
msgid "%d cameras"
msgstr ""

msgctxt "kFour"
msgid "Four"
msgstr ""
]=])
if(CASE STREQUAL "order")
  # Another order, one text fuzzy, one of an older English, one missing.
  file(WRITE ${WORK}/po/xx.po [=[
msgctxt "kThree"
msgid "%d cameras"
msgstr "%d Kameras"

#, fuzzy
msgctxt "kFour"
msgid "Four"
msgstr "Vier?"

msgctxt "kTwo"
msgid "Two lines"
msgstr "Zwei"

msgctxt "kOne"
msgid "One; [first]"
msgstr "Eins; "
"[erste]"
]=])
else()
  file(WRITE ${WORK}/po/xx.po [=[
msgctxt "kThree"
msgid "%d cameras"
msgstr "%s Kameras"
]=])
endif()

lenscout_string_table(${WORK}/out.cpp ${WORK}/rows.h)
file(READ ${WORK}/out.cpp made)
foreach(row [=[{kOne, 0, "One; [first]"},]=] [=[{kTwo, 0, "Two lines\n"},]=] [=[{kThree, 1, "%d Kameras"},]=]
            [=[{kOne, 1, "Eins; [erste]"},]=])
  string(FIND "${made}" "${row}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing: ${row}\n${made}")
  endif()
endforeach()
file(READ ${WORK}/rows.h rows)
foreach(row "kOne = 1," "kTwo = 2," "kThree = 3," "kFour = 4," "kStringRows = 5;")
  string(FIND "${rows}" "${row}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the rows miss ${row}:\n${rows}")
  endif()
endforeach()
foreach(absent "Vier" "Zwei" "{kFour, 1")
  string(FIND "${made}" "${absent}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "a fuzzy or outdated text was taken: ${absent}\n${made}")
  endif()
endforeach()
