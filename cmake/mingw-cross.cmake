# The part of the MinGW-w64 toolchain files that does not depend on the CPU; they set MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: the default win32 one has no std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained file per program: the C/C++ runtime and winpthreads link in, only system DLLs remain.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest runs the test programs under Wine, in the prefix scripts/in-prefix readies.
get_filename_component(movaril_in_prefix "${CMAKE_CURRENT_LIST_DIR}/../scripts/in-prefix" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${movaril_in_prefix};wine")
