# The programs the project builds, in one list that the run target, the
# manual pages, the tests, the plots and CI all read.
#
#   add_program(NAME)  after add_executable(NAME ...): builds it
#                      position-independent, installs it and adds it to the
#                      list, in the order of the calls
#   programs(VAR)      the list so far
#   finish_programs()  once every program is added: the programs and run
#                      targets, and <build>/programs.txt for scripts

include(CheckPIESupported)
check_pie_supported()

function(add_program name)
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  set_property(GLOBAL APPEND PROPERTY xsin_programs ${name})
  install(TARGETS ${name})
endfunction()

function(programs variable)
  get_property(list GLOBAL PROPERTY xsin_programs)
  set(${variable} ${list} PARENT_SCOPE)
endfunction()

function(finish_programs)
  programs(all)
  # `cmake --build <dir> --target programs` builds them and what is
  # installed with them (the top CMakeLists adds those), not the tests.
  add_custom_target(programs)
  add_dependencies(programs ${all})

  # `cmake --build <dir> --target run` runs every program, one after the
  # other, each in a results folder of its own under <dir>/results, its
  # output under a heading of its own.
  set(results ${CMAKE_BINARY_DIR}/results)
  set(commands "")
  foreach(program IN LISTS all)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E echo ""
      COMMAND ${CMAKE_COMMAND} -E echo "== ${program} (results in ${results}/${program})"
      COMMAND ${CMAKE_COMMAND} -E make_directory ${results}/${program}
      COMMAND ${CMAKE_COMMAND} -E chdir ${results}/${program} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${program}>)
  endforeach()
  add_custom_target(run ${commands} VERBATIM)
  add_dependencies(run programs)

  # One line per program: its name, then the command that runs it (the
  # emulator first when cross-compiling), separated by tabs.
  string(REPLACE ";" "\t" emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
  if(emulator)
    string(APPEND emulator "\t")
  endif()
  set(lines "")
  foreach(program IN LISTS all)
    string(APPEND lines "${program}\t${emulator}$<TARGET_FILE:${program}>\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/programs.txt CONTENT "${lines}")
endfunction()
