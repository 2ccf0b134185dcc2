# Read by cpack when it makes the package (CPACK_PROJECT_CONFIG_FILE): every
# timestamp in it is clamped to SOURCE_DATE_EPOCH, as Debian's reproducible
# builds ask, and unless the caller sets that, it is the time of the
# commit built. Two builds of one commit, in any folders, then give the same
# package byte for byte.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_XSIN_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(commit_time)
    set(ENV{SOURCE_DATE_EPOCH} "${commit_time}")
  else()
    message(WARNING "Not a git checkout and no SOURCE_DATE_EPOCH: the package's timestamps are the build's")
  endif()
endif()
