# The string table from the gettext catalogs in po/: lenscout.pot holds the
# English texts, the source, and each language of LENSCOUT_LANGUAGES other
# than English has po/<its first locale>.po. Each text is found by its
# msgctxt, the name of its row in app/string_table.h, so a catalog's order
# is free. A text a catalog lacks, leaves empty or marks fuzzy, or whose
# msgid is no longer the template's, falls back to English; a translation
# with other % arguments than its English fails the build. The program
# needs no gettext at run time: the table is C++ made here. The template's
# order gives each text its row in the TextRow enum, made here too, so a
# new text is its entry in lenscout.pot alone.

# Reads a catalog into <prefix>_names (its msgctxts, in order) and, for each
# name, <prefix>_id_<name>, <prefix>_str_<name> and <prefix>_fuzzy_<name>.
function(lenscout_read_catalog file prefix)
  file(READ ${file} text)
  # ; and brackets would split CMake's lists: kept out of the way.
  string(REPLACE ";" "@SEMI@" text "${text}")
  string(REPLACE "[" "@OPEN@" text "${text}")
  string(REPLACE "]" "@CLOSE@" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  list(APPEND lines "")  # the last entry ends too
  set(names "")
  set(ctxt "")
  set(id "")
  set(str "")
  set(fuzzy OFF)
  set(field "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^(msgctxt|msgid|msgstr) \"(.*)\"$")
      set(field ${CMAKE_MATCH_1})
      if(field STREQUAL "msgctxt")
        set(ctxt "${CMAKE_MATCH_2}")
      elseif(field STREQUAL "msgid")
        set(id "${CMAKE_MATCH_2}")
      else()
        set(str "${CMAKE_MATCH_2}")
      endif()
    elseif(line MATCHES "^\"(.*)\"$")
      if(field STREQUAL "msgctxt")
        string(APPEND ctxt "${CMAKE_MATCH_1}")
      elseif(field STREQUAL "msgid")
        string(APPEND id "${CMAKE_MATCH_1}")
      elseif(field STREQUAL "msgstr")
        string(APPEND str "${CMAKE_MATCH_1}")
      endif()
    elseif(line MATCHES "^#,.*fuzzy")
      set(fuzzy ON)
    elseif(line STREQUAL "" OR line MATCHES "^#")
      if(NOT ctxt STREQUAL "")
        list(APPEND names ${ctxt})
        set(${prefix}_id_${ctxt} "${id}" PARENT_SCOPE)
        set(${prefix}_str_${ctxt} "${str}" PARENT_SCOPE)
        set(${prefix}_fuzzy_${ctxt} ${fuzzy} PARENT_SCOPE)
      endif()
      set(ctxt "")
      set(id "")
      set(str "")
      set(fuzzy OFF)
      set(field "")
    endif()
  endforeach()
  set(${prefix}_names ${names} PARENT_SCOPE)
endfunction()

# The % conversions of a text, %% aside, in order.
function(lenscout_conversions text out)
  string(REPLACE "%%" "" text "${text}")
  string(REGEX MATCHALL "%[-+ #0-9.]*[a-zA-Z]" conversions "${text}")
  set(${out} "${conversions}" PARENT_SCOPE)
endfunction()

# A C++ string literal of a catalog's text, which is already C-escaped.
function(lenscout_literal text out)
  string(REPLACE "@SEMI@" ";" text "${text}")
  string(REPLACE "@OPEN@" "[" text "${text}")
  string(REPLACE "@CLOSE@" "]" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

function(lenscout_string_table output rows_header)
  set(dir ${PROJECT_SOURCE_DIR}/po)
  lenscout_read_catalog(${dir}/lenscout.pot source)
  set(rows "")
  set(enum "")
  set(number 0)
  foreach(name IN LISTS source_names)
    math(EXPR number "${number} + 1")
    string(APPEND enum "    ${name} = ${number},\n")
    lenscout_literal("${source_id_${name}}" english)
    string(APPEND rows "    {${name}, 0, ${english}},\n")
  endforeach()
  math(EXPR count "${number} + 1")
  file(CONFIGURE OUTPUT ${rows_header} CONTENT "#pragma once
// Made by CMake from po/lenscout.pot (cmake/po_catalogs.cmake): each
// text's row of the string table, in the template's order. Row 0 names the
// languages.

namespace lenscout {

enum TextRow {
@enum@};

constexpr int kStringRows = @count@;

}  // namespace lenscout
" @ONLY)
  set(depends ${dir}/lenscout.pot)
  foreach(entry IN LISTS LENSCOUT_LANGUAGES)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 setting)
    list(GET fields 5 locales)
    string(REPLACE " " ";" locales "${locales}")
    list(GET locales 0 catalog)
    if(setting EQUAL 1 OR NOT EXISTS ${dir}/${catalog}.po)
      continue()  # English is the source; a language without a catalog shows it
    endif()
    list(APPEND depends ${dir}/${catalog}.po)
    math(EXPR column "${setting} - 1")
    lenscout_read_catalog(${dir}/${catalog}.po po)
    foreach(name IN LISTS po_names)
      if(NOT DEFINED source_id_${name})
        message(FATAL_ERROR "po/${catalog}.po: ${name} is no text of po/lenscout.pot")
      endif()
      if(po_str_${name} STREQUAL "" OR po_fuzzy_${name})
        continue()
      endif()
      if(NOT po_id_${name} STREQUAL source_id_${name})
        message(WARNING "po/${catalog}.po: ${name} translates an older English text; English shows until it is updated")
        continue()
      endif()
      lenscout_conversions("${source_id_${name}}" wanted)
      lenscout_conversions("${po_str_${name}}" given)
      if(NOT wanted STREQUAL given)
        message(FATAL_ERROR "po/${catalog}.po: ${name} has the conversions \"${given}\" where English has \"${wanted}\"")
      endif()
      lenscout_literal("${po_str_${name}}" text)
      string(APPEND rows "    {${name}, ${column}, ${text}},\n")
    endforeach()
  endforeach()
  if(NOT CMAKE_SCRIPT_MODE_FILE)  # a test runs it as a script
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${depends})
  endif()
  file(CONFIGURE OUTPUT ${output} CONTENT "// Made by CMake from the catalogs in po/ (cmake/po_catalogs.cmake).
#include \"app/string_texts.h\"

namespace lenscout {

// clang-format off
const CatalogText kCatalogTexts[] = {
@rows@    {0, 0, nullptr},
};
// clang-format on

}  // namespace lenscout
" @ONLY)
endfunction()
