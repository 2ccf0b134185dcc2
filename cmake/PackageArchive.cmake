# Run by cpack on the package it made (CPACK_POST_BUILD_SCRIPTS): the modes
# that the ar archive of a .deb records for its members (debian-binary,
# control.tar.gz, data.tar.gz) are those of files cpack wrote under the
# umask of whoever made the package; written 100644 here, as dpkg-deb
# writes them, so that any umask gives the same bytes. An ar member's
# header is 60 bytes: name 16, date 12, owner 6, group 6, mode 8, size 10,
# then "`\n"; its data follows, padded to an even length.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE ${package} length)
  set(header 8)  # after "!<arch>\n"
  while(header LESS length)
    math(EXPR mode_at "${header} + 40")
    math(EXPR size_at "${header} + 48")
    file(READ ${package} size OFFSET ${size_at} LIMIT 10)
    string(STRIP "${size}" size)
    execute_process(COMMAND sh -c "printf '100644  ' | dd of='${package}' bs=1 seek=${mode_at} conv=notrunc status=none"
                    COMMAND_ERROR_IS_FATAL ANY)
    math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
  endwhile()
endforeach()
