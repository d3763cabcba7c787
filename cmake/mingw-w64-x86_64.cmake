# Cross build of torsova.exe for 64-bit Windows with mingw-w64 (Debian package
# g++-mingw-w64-x86-64-posix). The posix thread model is needed: the win32 one
# has no std::mutex, and GoogleTest does not build without it. Tests run under
# Wine.
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

# Static, so that the .exe runs on a bare Windows machine with no runtime DLL
# (libstdc++, libgcc, winpthread) beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest and test discovery run the .exe files through Wine. The 64-bit loader
# is called directly: the "wine" wrapper looks for a 32-bit Wine first.
find_program(TORSOVA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(TORSOVA_WINE NAMES wine64 wine)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;${TORSOVA_WINE}")
