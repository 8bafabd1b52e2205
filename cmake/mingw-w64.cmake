# Cross-builds the Windows programs (64-bit) on Debian with the mingw-w64
# compilers of g++-mingw-w64-x86-64-posix:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The POSIX thread model is the one whose libstdc++ has std::thread and
# std::mutex, which the parallel runs use.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)
set(CMAKE_AR ${mingw_prefix}-gcc-ar-posix)
set(CMAKE_RANLIB ${mingw_prefix}-gcc-ranlib-posix)

# Libraries and headers come from the mingw-w64 tree only; programs that
# the build runs (none today) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static, the C++ runtime and winpthreads included, so that each
# program needs only the DLLs that come with Windows.
# No link time in the programs' headers either: the same sources give the
# same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
