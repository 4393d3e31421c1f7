# A header-only library of this system's /usr/include as an interface
# target `name`: only its own folder `dir` goes on the include path, as a
# cross build must not see the rest of /usr/include.
function(lenscout_system_headers name header dir doc)
  find_path(LENSCOUT_${name}_INCLUDE ${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED DOC "${doc}")
  set(linked ${CMAKE_CURRENT_BINARY_DIR}/${name})
  file(MAKE_DIRECTORY ${linked})
  file(CREATE_LINK ${LENSCOUT_${name}_INCLUDE}/${dir} ${linked}/${dir} SYMBOLIC)
  add_library(${name} INTERFACE)
  target_include_directories(${name} SYSTEM INTERFACE ${linked})
endfunction()
