# Cross-building the Windows program on Linux with mingw-w64 (Debian's g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HORALOOM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HORALOOM_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${HORALOOM_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${HORALOOM_MINGW_TRIPLE}-windres)

# Headers and libraries from the mingw tree only; programs (the build tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${HORALOOM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
