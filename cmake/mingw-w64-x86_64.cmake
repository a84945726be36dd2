# Cross-build for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads
# variant, which the standard library's threads need):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DENGINEERING_WINDOW=OFF ...
# scripts/test-windows.sh uses it, with SQLite and GoogleTest from source
# (ENGINEERING_SQLITE_SOURCE_DIR, ENGINEERING_GTEST_SOURCE_DIR).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable carries its C and C++ run-time and the threads library, so
# that a copied .exe runs without the compiler's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The tests and the test discovery run the .exe files under Wine when it is there.
find_program(ENGINEERING_WINE NAMES wine64 wine)
if(ENGINEERING_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ENGINEERING_WINE})
endif()
