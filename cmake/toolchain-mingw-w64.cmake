# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers (POSIX threads, so that
# std::thread and the C++ runtime match the Qt for Windows the build links).
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64.cmake \
#         -DCMAKE_PREFIX_PATH=<Qt for Windows> -DQT_HOST_PATH=/usr \
#         -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
#         -DLOTO6_HOST_TOOLS_DIR=<a native build's bin/>
#
# scripts/windows/cross-build.sh does all of this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LOTO6_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LOTO6_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LOTO6_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LOTO6_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot only; packages (Qt) from CMAKE_PREFIX_PATH
# as well, as the Qt for Windows lies outside that sysroot; programs from this machine.
set(CMAKE_FIND_ROOT_PATH /usr/${LOTO6_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Tests run through Wine when CTest runs them, with the QT_* variables that Wine would drop.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run.sh)
