# Shared by run.sh and test.sh: installs what is missing, builds, and manages the private Wine session
# (X display, Wine prefix, one wineserver for the whole run). Source it; do not run it.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$build/wineprefix"
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

build_test_tree() {
    log "building the 64-bit test tree (build/test)"
    configure_and_build "$build/test" x86_64 -DCMAKE_BUILD_TYPE=Release -DREPLYDOCK_BUILD_TESTS=ON "$@"
}

started_xvfb=""
started_wineserver=""

stop_wine_session() {
    if [ -n "$started_wineserver" ]; then
        "$wineserver" -k >/dev/null 2>&1 || true
        "$wineserver" -w >/dev/null 2>&1 || true
        started_wineserver=""
    fi
    if [ -n "$started_xvfb" ]; then
        kill "$started_xvfb" >/dev/null 2>&1 || true
        wait "$started_xvfb" 2>/dev/null || true
        started_xvfb=""
    fi
}

# Xvfb picks a free display number itself (-displayfd), so parallel runs never share one.
start_private_display() {
    local numberfile
    numberfile="$(mktemp)"
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$numberfile" 2>/dev/null &
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
}

set_wine_window_management() {  # Y: a window manager handles the windows; N: Wine does
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d "$1" /f >/dev/null 2>&1
}

# One wineserver for the whole run, so that each Wine process starts fast. When one already serves
# this prefix (another run in progress), it is used and left running.
start_wineserver() {
    if "$wineserver" -p >/dev/null 2>&1; then
        started_wineserver=1
    fi
}
