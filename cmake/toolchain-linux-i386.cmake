# The portable core as 32-bit x86 Linux programs, linked statically. scripts/test runs them
# directly where the kernel executes 32-bit code and through qemu-i386 where it does not.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(ZLIB_LIBRARY /usr/lib32/libz.a)
set(ZLIB_INCLUDE_DIR /usr/include)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
