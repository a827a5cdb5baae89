# A 64-bit build of the same sources, for testing on hosts that cannot execute 32-bit code (scripts/wine-env.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
