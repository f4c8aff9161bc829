# Cross-compiling for Windows with MinGW-w64. The including file sets
# MINGW_TRIPLET, and MINGW_THREADS when it wants another thread model than
# win32: the shipped program's, whose runtime needs nothing beyond what
# Windows XP's own DLLs export. The posix model links in libwinpthread,
# which imports a function that came with Vista (GetTickCount64).
if(NOT MINGW_THREADS)
    set(MINGW_THREADS win32)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
