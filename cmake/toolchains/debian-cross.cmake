# Shared by the toolchain files beside it: cross-compiling with one of
# Debian's cross toolchains (package g++-<triple>), with the target's
# libraries under /usr/<triple> and, for what Debian ships as multiarch
# packages (libmpfr-dev:<arch>), under /usr/lib/<multiarch folder>.
# `./install-prerequisites cross` installs all of them and qemu-user.
#   cmake -S . -B build-aarch64 --toolchain cmake/toolchains/aarch64.cmake
# The programs run under qemu-user with the toolchain's own loader, libc and
# libstdc++ first: the loader would otherwise pick up a multiarch libc of
# the same architecture (which libmpfr-dev:<arch> brings along) and abort
# with "stack smashing detected".
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${cross_triple}-g++)
# Debian's multiarch folder: the triple but for i686 (i386-linux-gnu).
if(NOT cross_multiarch)
  set(cross_multiarch ${cross_triple})
endif()
set(CMAKE_LIBRARY_ARCHITECTURE ${cross_multiarch})
set(CMAKE_FIND_ROOT_PATH /usr/${cross_triple} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${cross_qemu} -L /usr/${cross_triple} -E LD_LIBRARY_PATH=/usr/${cross_triple}/lib)
