# Sourced by test.sh and play.sh: installs what is missing on a Debian or
# Ubuntu machine and decides which Windows architecture can run here.
#
# Trevalo ships as a 32-bit program. Some Linux kernels are built or booted
# without 32-bit support, and then neither 32-bit Wine nor any 32-bit code
# can run; on those machines the same sources are also built for x86-64 and
# run under 64-bit Wine, while the 32-bit program is still built and checked.

trevalo_sudo() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

trevalo_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'
}

# Runs a 93-byte 32-bit Linux program that only calls exit(0): the honest
# answer to "can this kernel execute 32-bit code?".
trevalo_can_run_i386() {
    local probe
    probe=$(mktemp)
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
    chmod +x "$probe"
    local ok=1
    "$probe" 2>/dev/null && ok=0
    rm -f "$probe"
    return $ok
}

# Sets TREVALO_ARCH to the architecture whose programs run here (i686 or
# x86_64) and installs every package the build and the tests need.
trevalo_setup() {
    if [ -z "${TREVALO_ARCH:-}" ]; then
        if trevalo_can_run_i386; then TREVALO_ARCH=i686; else TREVALO_ARCH=x86_64; fi
    fi
    export TREVALO_ARCH

    # openbox, xdotool and x11-utils: the play command's test runs the game
    # under a window manager, finds, measures and clicks its window, and
    # reads the window manager's properties; desktop-file-utils, with which
    # it validates the menu entry that play.sh --install writes. The program
    # ships built with the win32 thread model; the tests need the posix
    # model's C++ library (std::mutex), on the architecture they run on.
    # clang and lld, the second compiler, build everything once more for
    # i686, with that architecture's posix-model C++ library.
    local wanted=(cmake make xvfb fonts-wine fonts-liberation googletest
        g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix clang lld
        wine openbox xdotool x11-utils desktop-file-utils)
    if [ "$TREVALO_ARCH" = i686 ]; then
        wanted+=(wine32:i386)
    else
        wanted+=(g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix wine64)
    fi

    local missing=() pkg
    for pkg in "${wanted[@]}"; do
        trevalo_installed "$pkg" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    if [ "$TREVALO_ARCH" = i686 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        trevalo_sudo dpkg --add-architecture i386
    fi
    trevalo_sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive trevalo_sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Configures build/ARCH; TESTS is ON or OFF. With the tests, the tree
# builds them with the tests' toolchain and the program, in build/ARCH/program,
# with the program's; without them it is the program's tree alone.
trevalo_configure() {
    local toolchain=mingw-$1.cmake
    [ "$2" = ON ] && toolchain=mingw-$1-tests.cmake
    cmake -S "$TREVALO_ROOT" -B "$TREVALO_ROOT/build/$1" -DCMAKE_TOOLCHAIN_FILE="$TREVALO_ROOT/cmake/$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DTREVALO_BUILD_TESTS="$2" -DTREVALO_WERROR=ON >/dev/null
}

# Configures and builds one architecture in build/ARCH; TESTS is ON or OFF.
trevalo_build() {
    trevalo_configure "$1" "$2"
    cmake --build "$TREVALO_ROOT/build/$1" -j "$(nproc)"
    trevalo_check_imports "$1"
}

# trevalo_build_targets ARCH TARGET...: builds only those targets in
# build/ARCH, the tree the tests use, and leaves its configuration alone, so
# that the next test run neither reconfigures nor rebuilds. A tree never
# configured is configured as the tests configure it. The makefiles of a
# tree configured before a target was added do not know that target, so
# their own check of the CMake files runs first: it regenerates them, from
# the tree's own cache, only when a CMakeLists.txt has changed since.
trevalo_build_targets() {
    local arch=$1 tree=$TREVALO_ROOT/build/$1
    shift
    [ -f "$tree/CMakeCache.txt" ] || trevalo_configure "$arch" ON
    [ -f "$tree/Makefile" ] && cmake --build "$tree" --target cmake_check_build_system >/dev/null
    cmake --build "$tree" -j "$(nproc)" --target "$@"
    trevalo_check_imports "$arch"
}

# Builds everything once more with clang (cmake/clang-i686.cmake) in
# build/clang-i686, warnings as errors; nothing it builds runs.
trevalo_build_clang() {
    local tree=$TREVALO_ROOT/build/clang-i686
    cmake -S "$TREVALO_ROOT" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$TREVALO_ROOT/cmake/clang-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DTREVALO_BUILD_TESTS=ON -DTREVALO_WERROR=ON >/dev/null
    cmake --build "$tree" -j "$(nproc)"
}

trevalo_check_imports() {
    sh "$TREVALO_ROOT/scripts/check-imports.sh" "${MINGW_OBJDUMP:-$(trevalo_triplet "$1")-objdump}" \
        "$TREVALO_ROOT/build/$1/Trevalo.exe" >/dev/null
}

trevalo_triplet() {
    case "$1" in
    i686) echo i686-w64-mingw32 ;;
    x86_64) echo x86_64-w64-mingw32 ;;
    esac
}
