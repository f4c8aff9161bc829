# The second compiler: Debian's clang over the same sources, for the
# shipped target, with MinGW-w64's headers and import libraries and the
# MinGW gcc's C++ library, of the posix model, as the tests use std::mutex.
# Nothing built here ships or runs: the test command builds everything with
# it to hold the code to clang's further warnings too (Settings.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(TREVALO_WINE_ARCH i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${MINGW_TRIPLET})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_TRIPLET})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Debian names the MinGW gcc's folders after their thread model (12-posix)
# where clang looks for a version alone: the newest posix one, named here.
file(GLOB gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/${MINGW_TRIPLET}/*-posix)
if(NOT gcc_dirs)
    message(FATAL_ERROR "no posix-model MinGW gcc for ${MINGW_TRIPLET} (g++-mingw-w64-i686-posix)")
endif()
list(SORT gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_dirs 0 gcc_dir)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_dir}/include/c++ -isystem ${gcc_dir}/include/c++/${MINGW_TRIPLET}")
# LLVM's linker: GNU ld warns at each of std::exception's type names, which
# clang and gcc lay out differently. -pthread: the posix model's library.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${gcc_dir} -pthread")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
