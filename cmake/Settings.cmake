# Compiler and linker settings shared by every target. Everything that
# differs between MSVC and MinGW is decided here.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# Windows XP is the oldest system the program supports.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX WINVER=0x0501 _WIN32_WINNT=0x0501)

if(MSVC)
    add_compile_options(/utf-8)
else()
    # Only Windows' own DLLs may be imported: link the C and C++ runtimes in.
    add_link_options(-static $<$<CONFIG:Release>:-s>)
    # Optimised for size: the program spends its time waiting for the player
    # and in Windows, not in its own code.
    # Sections of their own and --gc-sections were tried: the linker then
    # kept 336 bytes more.
    set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
    set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
endif()

# Warnings for the project's own targets (GoogleTest keeps its own flags).
function(trevalo_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${TREVALO_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${TREVALO_WERROR}>:-Werror>)
    endif()
    # clang, the second compiler, also holds the code to these.
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        target_compile_options(${target} PRIVATE -Wshadow -Wconversion -Wold-style-cast -Wcast-qual
                                                 -Wimplicit-fallthrough -Wnull-dereference -Wundef)
    endif()
endfunction()

# A GUI program with a wide-character entry point, for Windows XP and later.
function(trevalo_gui_program target)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    if(NOT MSVC)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            set(subsystem windows:5.02)
        else()
            set(subsystem windows:5.01)
        endif()
        target_link_options(${target} PRIVATE -municode -Wl,--subsystem,${subsystem})
    endif()
endfunction()
