# Shared by run.sh and test.sh: installs what is missing, builds, and manages the private Wine session
# (X display, Wine prefix, one wineserver for the whole run). Source it; do not run it.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$build/wineprefix"
# 32-bit programs run in a WoW64 prefix of their own, made by wine64 once wine32 is installed.
wineprefix32="$build/wineprefix32"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

log() { printf '== %s\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages the build and the tests need.
required_packages=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest
                   wine64 xvfb x11-utils xdotool imagemagick locales fonts-wine fonts-wqy-microhei sqlite3
                   clang libclang-rt-14-dev nlohmann-json3-dev)  # the last three: the native fuzz targets

ensure_packages() {
    local missing=()
    for package in "${required_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    # npm (for fetching SQLite) may come from outside Debian's packages; only install it when absent.
    command -v npm >/dev/null 2>&1 || missing+=(npm)
    if [ "${#missing[@]}" -gt 0 ]; then
        log "installing ${missing[*]}"
        as_root apt-get update -qq
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    # Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936 (GBK).
    if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
        log "generating the zh_CN.UTF-8 locale"
        as_root localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
    fi
}

# Whether the kernel runs 32-bit x86 programs: a 96-byte static ELF32 executable whose only code is
# exit(42) through int 0x80.
kernel_runs_32bit() {
    local probe="$build/probe32" rc=0
    mkdir -p "$build"
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$probe"
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$probe"
    printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
    printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >>"$probe"
    chmod +x "$probe"
    "$probe" >/dev/null 2>&1 || rc=$?
    rm -f "$probe"
    [ "$rc" -eq 42 ]
}

# apt-get install of wine32:i386 beside wine64, never removing a package. Extra arguments go to apt-get.
install_wine32() {
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends --no-remove "$@" \
        wine64 wine32:i386 >/dev/null 2>&1
}

# When one architecture's package lists are newer than the other's (a security list fetched for amd64 but
# not for i386), the packages both architectures share cannot agree in version and the install fails.
# For that one command the release's own versions are preferred, even where that means a downgrade.
install_wine32_release_versions() {
    local codename pins rc=0
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$codename" ] || return 1
    pins=$(mktemp -d)
    printf 'Package: *\nPin: release n=%s\nPin-Priority: 1001\n' "$codename" >"$pins/release"
    install_wine32 --allow-downgrades -o Dir::Etc::PreferencesParts="$pins" || rc=$?
    rm -rf "$pins"
    return "$rc"
}

# Best effort: true when 32-bit Wine is there (installing wine32:i386 when missing) and starts.
ensure_wine32() {
    if [ ! -x "$wine32" ]; then
        log "installing wine32:i386"
        dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386 || return 1
        as_root apt-get update -qq >/dev/null 2>&1 || true  # a list that fails to load is reported by the install
        install_wine32 || install_wine32_release_versions || return 1
    fi
    "$wine32" --version >/dev/null 2>&1
}

# Sets wine32_reason and fails when this machine cannot run the 32-bit suite or the i686 release.
can_run_32bit() {
    wine32_reason=""
    if ! kernel_runs_32bit; then
        wine32_reason="this kernel does not run 32-bit programs"
    elif ! ensure_wine32; then
        wine32_reason="32-bit Wine (wine32:i386) could not be installed"
    fi
    [ -z "$wine32_reason" ]
}

# configure_and_build <build dir> <toolchain arch> [cmake options...] -- [targets...]
configure_and_build() {
    local dir="$1" arch="$2"
    shift 2
    local options=() targets=()
    while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ "$#" -gt 0 ] && shift
    targets=("$@")
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
          -DREPLYDOCK_DEPS_DIR="$build/deps" "${options[@]}" >/dev/null
    local target_args=()
    for target in "${targets[@]}"; do target_args+=(--target "$target"); done
    cmake --build "$dir" -j "$(nproc)" "${target_args[@]}"
}

build_release() {
    log "building the 32-bit release executable (build/release/replydock.exe)"
    configure_and_build "$build/release" i686 -DCMAKE_BUILD_TYPE=MinSizeRel "$@"
}

# Fails when the release executable is larger than a tool of this kind should weigh.
check_release_size() {
    local size limit=1048576
    size=$(stat -c %s "$build/release/replydock.exe")
    if [ "$size" -gt "$limit" ]; then
        echo "build/release/replydock.exe is $size bytes, over the limit of $limit bytes" >&2
        return 1
    fi
    log "release executable: $size bytes (limit $limit)"
}

build_test_tree() {
    log "building the 64-bit test tree (build/test)"
    configure_and_build "$build/test" x86_64 -DCMAKE_BUILD_TYPE=Release -DREPLYDOCK_BUILD_TESTS=ON "$@"
}

build_test32_tree() {
    log "building the 32-bit test tree (build/test32)"
    configure_and_build "$build/test32" i686 -DCMAKE_BUILD_TYPE=Release -DREPLYDOCK_BUILD_TESTS=ON "$@"
}

started_xvfb=""
started_wineservers=()

stop_wine_session() {
    local prefix
    for prefix in "${started_wineservers[@]}"; do
        WINEPREFIX="$prefix" "$wineserver" -k >/dev/null 2>&1 || true
        WINEPREFIX="$prefix" "$wineserver" -w >/dev/null 2>&1 || true
    done
    started_wineservers=()
    if [ -n "$started_xvfb" ]; then
        kill "$started_xvfb" >/dev/null 2>&1 || true
        wait "$started_xvfb" 2>/dev/null || true
        started_xvfb=""
    fi
}

# Xvfb picks a free display number itself (-displayfd), so parallel runs never share one. The screen
# is 1600 x 1200: wide and tall enough that the tool (657 x 546) fits beside the chat windows the tests
# place as far right as 800 and as low as 500, where docking keeps the placement it gives.
start_private_display() {
    local numberfile
    numberfile="$(mktemp)"
    Xvfb -displayfd 1 -screen 0 1600x1200x24 -nolisten tcp >"$numberfile" 2>/dev/null &
    started_xvfb=$!
    for _ in $(seq 1 200); do
        if [ -s "$numberfile" ]; then
            export DISPLAY=":$(head -n 1 "$numberfile" | tr -d '[:space:]')"
            rm -f "$numberfile"
            return 0
        fi
        kill -0 "$started_xvfb" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$numberfile"
    started_xvfb=""
    echo "could not start Xvfb" >&2
    return 1
}

# Creates the Wine prefix on first use. Without a window manager, Wine draws the frames and handles
# focus itself when its X11 driver is told the windows are unmanaged.
ensure_wine_prefix() {
    export LC_ALL=zh_CN.UTF-8
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix (build/wineprefix)"
        mkdir -p "$WINEPREFIX"
        "$wine64" wineboot --init >/dev/null 2>&1 || true
        "$wineserver" -w
    fi
    # Wine draws the caption buttons with glyphs of its font Marlett, but this Wine build does not
    # load the fonts of its own data folder; without Marlett in the prefix's Fonts folder the glyphs'
    # letters ("0", "r") are drawn in the CJK font instead.
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
        cp "$marlett" "$fonts/"
    fi
}

set_wine_window_management() {  # Y: a window manager handles the windows; N: Wine does
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d "$1" /f >/dev/null 2>&1
}

# One wineserver per prefix for the whole run, so that each Wine process starts fast. When one already
# serves the prefix (another run in progress), it is used and left running.
start_wineserver() {
    if "$wineserver" -p >/dev/null 2>&1; then
        started_wineservers+=("$WINEPREFIX")
    fi
}
