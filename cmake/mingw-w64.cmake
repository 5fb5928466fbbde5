# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix thread
# model, for std::thread and friends). Everything links statically, so an
# executable runs on Windows, and under Wine, without any MinGW DLL beside it;
# the tests run under Wine from CTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTRAMI_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRAMI_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRAMI_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRAMI_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTRAMI_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
