# Every library of the project is declared alike:
#
#   add_project_library(NAME [INTERFACE] SOURCES...)
#
# includes from the top of the tree ("numerics/numerics.h"), the binary64
# semantics passed on to everything that links it (its templates compute in
# its users' code), the project's warnings for its own sources,
# position-independent code (the relocatable gradient_timing object and the
# test preloads take some of them), and the alias xsin::NAME to link it by.
# An INTERFACE library is header-only; one EXCLUDE_FROM_ALL is built only
# for what links it.

function(add_project_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "INTERFACE;EXCLUDE_FROM_ALL" "" "")
  if(arg_INTERFACE)
    add_library(${name} INTERFACE ${arg_UNPARSED_ARGUMENTS})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE binary64)
  else()
    if(arg_EXCLUDE_FROM_ALL)
      add_library(${name} STATIC EXCLUDE_FROM_ALL ${arg_UNPARSED_ARGUMENTS})
    else()
      add_library(${name} STATIC ${arg_UNPARSED_ARGUMENTS})
    endif()
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC binary64 PRIVATE warnings)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  endif()
  add_library(xsin::${name} ALIAS ${name})
endfunction()

# Sources compiled for an instruction set beyond the target's baseline, as
# vector libraries compile one source per instruction set:
#
#   add_instruction_set_sources(TARGET SET SOURCES...)
#
# adds them to TARGET compiled with -m<SET> where the target is x86-64, and
# not at all elsewhere (the code that calls them asks cpu/cpu.h first, and
# is compiled only where __x86_64__ is). Such a source gives nothing but its
# entry points external linkage, so that the linker can never take a copy
# compiled for SET for code that runs on any CPU; the test instruction_sets
# checks its object file for that. Their list is the global property
# xsin_instruction_set_sources, TARGET|SET|SOURCE for each.
set(x86_64 OFF)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  set(x86_64 ON)
endif()

function(add_instruction_set_sources target set)
  if(NOT x86_64)
    return()
  endif()
  foreach(source IN LISTS ARGN)
    get_filename_component(path ${source} ABSOLUTE)
    target_sources(${target} PRIVATE ${path})
    set_source_files_properties(${path} TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS -m${set})
    set_property(GLOBAL APPEND PROPERTY xsin_instruction_set_sources "${target}|${set}|${path}")
  endforeach()
endfunction()
