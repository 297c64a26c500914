# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-posix: the variant with POSIX threads, which gives
# std::thread and std::mutex). Used by scripts/windows.sh:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Libraries built for the target (GoogleTest) are looked up under the
# toolchain's own root and under TARNVIK_WINDOWS_DEPS when given.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARNVIK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARNVIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNVIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNVIK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNVIK_MINGW_TRIPLE})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARNVIK_WINDOWS_DEPS)
if(TARNVIK_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TARNVIK_WINDOWS_DEPS})
endif()
# Programs run on the build machine; headers, libraries and packages come
# only from the target's roots, never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run through Wine's 64-bit loader (Debian keeps it off PATH).
if(EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
