set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(cross_triple riscv64-linux-gnu)
set(cross_qemu qemu-riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
