# Every library of the project is declared alike:
#
#   add_project_library(NAME [INTERFACE] SOURCES...)
#
# includes from the top of the tree ("numerics/numerics.h"), the binary64
# semantics passed on to everything that links it (its templates compute in
# its users' code), the project's warnings for its own sources, position-
# independent code (the relocatable gradient_timing object and the test
# preloads take some of them), and the alias xsin::NAME to link it by.
# An INTERFACE library is header-only.

function(add_project_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "INTERFACE" "" "")
  if(arg_INTERFACE)
    add_library(${name} INTERFACE ${arg_UNPARSED_ARGUMENTS})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE binary64)
  else()
    add_library(${name} STATIC ${arg_UNPARSED_ARGUMENTS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC binary64 PRIVATE warnings)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  endif()
  add_library(xsin::${name} ALIAS ${name})
endfunction()
