# The facts that the C++ code and the files beside it share, in one place:
# C++ and the Windows resources read them from the header made here
# (lenscout_facts.h); the manual pages, the firewall files, the installer
# and the packages from these variables. The version is project()'s.
set(LENSCOUT_DISCOVERY_PORTS 10000)
set(LENSCOUT_DESKTOP_PROGRAM lenscout)
set(LENSCOUT_CLI_PROGRAM lenscout-cli)
set(LENSCOUT_SCAN_PROGRAM lenscout-scan)

# lenscout-cli's exit statuses: "constant|status|what it means", for the
# code, --help and the manual page.
set(LENSCOUT_EXIT_STATUSES
  "kExitOk|0|success"
  "kExitFailed|1|the network could not be used, or an upload failed"
  "kExitUsage|2|a wrong command line, or no password to be had"
  "kExitInvalid|3|an illegal value or image, or no user name: nothing was sent"
  "kExitNotFound|4|a camera did not answer the search"
  "kExitRefused|5|the camera refused the user or password"
  "kExitTimeout|6|the camera did not confirm in time"
  "kExitUnconfirmed|7|sent, but not confirmed: a change to DHCP cannot be seen"
  "kExitConflict|8|two devices answer with one ID: nothing was sent to it"
  "kExitInterrupted|130|interrupted: the outcomes so far are printed")

# The languages: "setting|constant|name in itself|name in English|Windows
# language identifiers (up to five)|locale names (a language alone takes
# each of its regions; the first names the catalog)". The setting 0 is
# automatic; English, the first, is also the fallback. The string table has
# a column for each.
set(LENSCOUT_LANGUAGES
  "1|kEnglish|English|English|0x0409|en"
  "2|kSimplifiedChinese|简体中文|Simplified Chinese|0x0804|zh_CN"
  "3|kTraditionalChinese|繁體中文|Traditional Chinese|0x0404 0x0c04 0x1004 0x1404|zh_TW zh_HK zh_SG zh_MO"
  "4|kGerman|Deutsch|German|0x0407 0x0807 0x0c07 0x1007 0x1407|de")

# Both lists as X-macros for C++, as the manual page's entries, and as
# --lang's choices.
set(LENSCOUT_EXIT_STATUS_MACRO "")
set(LENSCOUT_EXIT_STATUS_MAN "")
foreach(entry IN LISTS LENSCOUT_EXIT_STATUSES)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 name)
  list(GET fields 1 status)
  list(GET fields 2 meaning)
  string(APPEND LENSCOUT_EXIT_STATUS_MACRO " \\\n    X(${name}, ${status}, \"${meaning}\")")
  string(APPEND LENSCOUT_EXIT_STATUS_MAN ".TP\n.B ${status}\n${meaning}\n")
endforeach()
string(STRIP "${LENSCOUT_EXIT_STATUS_MAN}" LENSCOUT_EXIT_STATUS_MAN)
set(LENSCOUT_LANGUAGE_MACRO "")
set(LENSCOUT_LANGUAGE_CHOICES "0 the system's language")
foreach(entry IN LISTS LENSCOUT_LANGUAGES)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 setting)
  list(GET fields 1 name)
  list(GET fields 2 native)
  list(GET fields 3 english)
  list(GET fields 4 ids)
  list(GET fields 5 locales)
  string(REPLACE " " ";" ids "${ids}")
  foreach(unused RANGE 4)
    list(LENGTH ids count)
    if(count LESS 5)
      list(APPEND ids 0)
    endif()
  endforeach()
  list(JOIN ids ", " ids)
  string(REPLACE " " "\", \"" locales "${locales}")
  string(APPEND LENSCOUT_LANGUAGE_MACRO
    " \\\n    X(${setting}, ${name}, \"${native}\", \"${english}\", ${ids}, \"${locales}\")")
  string(APPEND LENSCOUT_LANGUAGE_CHOICES ", ${setting} ${english}")
endforeach()

# The ports in each form the files want: "10000, 10001" for C++, the list
# for a Windows firewall rule, words for the manual pages, ufw's and
# firewalld's own.
list(JOIN LENSCOUT_DISCOVERY_PORTS ", " LENSCOUT_DISCOVERY_PORT_LIST)
list(GET LENSCOUT_DISCOVERY_PORTS 0 LENSCOUT_DISCOVERY_PORT)
list(JOIN LENSCOUT_DISCOVERY_PORTS "," LENSCOUT_DISCOVERY_PORTS_COMMAS)
list(JOIN LENSCOUT_DISCOVERY_PORTS " and " LENSCOUT_DISCOVERY_PORTS_TEXT)
list(TRANSFORM LENSCOUT_DISCOVERY_PORTS APPEND "/udp" OUTPUT_VARIABLE ufw_ports)
list(JOIN ufw_ports "|" LENSCOUT_UFW_PORTS)
set(firewalld_ports "")
foreach(port IN LISTS LENSCOUT_DISCOVERY_PORTS)
  list(APPEND firewalld_ports "  <port protocol=\"udp\" port=\"${port}\"/>")
endforeach()
list(JOIN firewalld_ports "\n" LENSCOUT_FIREWALLD_PORTS)

configure_file(${CMAKE_CURRENT_LIST_DIR}/lenscout_facts.h.in ${PROJECT_BINARY_DIR}/generated/lenscout_facts.h @ONLY)
add_library(lenscout_facts INTERFACE)
target_include_directories(lenscout_facts INTERFACE ${PROJECT_BINARY_DIR}/generated)
# ... and for the packaging scripts.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/lenscout_facts.sh
  CONTENT "version=@PROJECT_VERSION@\nports=@LENSCOUT_DISCOVERY_PORTS_COMMAS@\n" @ONLY)
