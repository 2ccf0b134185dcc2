# Finds the GNU MPFR library (Debian package libmpfr-dev).
#
#   MPFR_FOUND, MPFR_VERSION
#   MPFR::MPFR  imported target: mpfr.h and libmpfr, with the GMP it builds on
find_path(MPFR_INCLUDE_DIR mpfr.h)
find_path(GMP_INCLUDE_DIR gmp.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)

if(MPFR_INCLUDE_DIR AND EXISTS "${MPFR_INCLUDE_DIR}/mpfr.h")
  file(STRINGS "${MPFR_INCLUDE_DIR}/mpfr.h" version_line
       REGEX "^#define[ \t]+MPFR_VERSION_STRING[ \t]+\"[^\"]+\"")
  string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" MPFR_VERSION "${version_line}")
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(MPFR
  REQUIRED_VARS MPFR_LIBRARY MPFR_INCLUDE_DIR GMP_LIBRARY GMP_INCLUDE_DIR
  VERSION_VAR MPFR_VERSION)

if(MPFR_FOUND AND NOT TARGET MPFR::MPFR)
  add_library(MPFR::MPFR UNKNOWN IMPORTED)
  set_target_properties(MPFR::MPFR PROPERTIES
    IMPORTED_LOCATION "${MPFR_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${MPFR_INCLUDE_DIR};${GMP_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "${GMP_LIBRARY}")
endif()
mark_as_advanced(MPFR_INCLUDE_DIR GMP_INCLUDE_DIR MPFR_LIBRARY GMP_LIBRARY)
