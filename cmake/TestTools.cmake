# Programs that some tests run besides the project's own (strace, groff,
# gnuplot, jq). Where one is missing, its tests skip or are not added, and a
# skipped test named after its Debian package stands in their place, so
# that ctest's summary names what to install.
#   find_test_tool(VARIABLE PROGRAM PACKAGE)
function(find_test_tool variable program package)
  find_program(${variable} ${program})
  if(NOT ${variable} AND BUILD_TESTING)
    add_test(NAME missing.${package}
             COMMAND ${CMAKE_COMMAND} -E echo "${program} not found (Debian package ${package}): the tests that run it are skipped")
    set_tests_properties(missing.${package} PROPERTIES SKIP_REGULAR_EXPRESSION "not found")
  endif()
endfunction()
