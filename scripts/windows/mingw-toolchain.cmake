# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which
# std::thread and std::mutex need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVANTA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORVANTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVANTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVANTA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORVANTA_MINGW_TRIPLE})
# The third-party libraries built for Windows (scripts/windows/build-deps.sh prints the folder).
if(DEFINED ENV{KORVANTA_WINDOWS_PREFIX})
  set(KORVANTA_WINDOWS_PREFIX $ENV{KORVANTA_WINDOWS_PREFIX})
endif()
if(KORVANTA_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KORVANTA_WINDOWS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${KORVANTA_WINDOWS_PREFIX})
  # pkg-config must see the Windows libraries only, never the host's.
  set(ENV{PKG_CONFIG_LIBDIR} ${KORVANTA_WINDOWS_PREFIX}/lib/pkgconfig:${KORVANTA_WINDOWS_PREFIX}/share/pkgconfig)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
  set(ENV{PKG_CONFIG_PATH} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
