# Cross-compiles for 64-bit Windows with MinGW-w64 from a Linux host.
# When Wine is installed it runs the test binaries, so ctest works on the
# host as it would on Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The POSIX thread model: GoogleTest needs std::mutex, which the win32
# thread model of GCC 12 does not have. The executables link the thread
# library statically (cmake/CompilerFlags.cmake), so they need no DLL.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers come from the MinGW-w64 sysroot only; programs run
# on the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(SCENARIO_WINE wine)
if(SCENARIO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${SCENARIO_WINE}")
endif()
