# The package's facts, each stated once in debian/ and read here, before
# project(): its name (debian/control's Source), and its version and release
# date (the newest entry of debian/changelog). The programs' --version, the
# manual pages and the install folders take them from here.
set(debian_dir ${CMAKE_CURRENT_LIST_DIR}/../debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${debian_dir}/control ${debian_dir}/changelog)

file(STRINGS ${debian_dir}/control source_line REGEX "^Source:")
string(REGEX REPLACE "^Source: *" "" package_name "${source_line}")

# "xsin-experiments (1.1.0) unstable; urgency=medium", then the entry's
# trailer " -- Maintainer <address>  Wed, 09 Dec 2026 00:00:00 +0000".
file(STRINGS ${debian_dir}/changelog changelog)
list(GET changelog 0 newest)
string(REGEX REPLACE "^[^ ]+ \\(([^)]+)\\).*$" "\\1" package_version "${newest}")
foreach(line IN LISTS changelog)
  if(line MATCHES "^ -- .*  ([A-Za-z]+, [0-9]+ [A-Za-z]+ [0-9]+ [0-9:]+ [-+][0-9]+)$")
    execute_process(COMMAND date -u -d "${CMAKE_MATCH_1}" +%F
                    OUTPUT_VARIABLE release_date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    break()
  endif()
endforeach()
if(NOT package_name OR NOT package_version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$" OR NOT release_date)
  message(FATAL_ERROR "debian/control and debian/changelog must give the package's name, version and date")
endif()
