# Shared part of the two MinGW-w64 toolchain files. The -posix compilers are needed:
# the -win32 flavour of GCC 12 has no std::thread, which GoogleTest requires.
set(CMAKE_C_COMPILER ${KESTRINE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRINE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRINE_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRINE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs must run without MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(ZLIB_USE_STATIC_LIBS ON)
# Wine's loaders, named: Debian's "wine" wrapper picks the 32-bit one whenever it is there.
# The 32-bit loader (package wine32) is installed only where the machine runs 32-bit code.
if(KESTRINE_MINGW_TRIPLET STREQUAL "x86_64-w64-mingw32")
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
elseif(EXISTS /usr/lib/wine/wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
endif()
