# The tests' build for i686: GoogleTest needs std::mutex, which only the posix
# thread model's C++ library has. The program itself is built beside it the
# way it ships (TREVALO_PROGRAM_TOOLCHAIN), from the same sources.
set(MINGW_THREADS posix)
set(TREVALO_PROGRAM_TOOLCHAIN ${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
