#!/usr/bin/env bash
# Runs a Windows test executable under 64-bit Wine with the environment the program expects:
# code page 936 (from the zh_CN.UTF-8 locale), the project's own Wine prefix, and the X display that
# the test command started. CTest calls this for every test executable.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
export LC_ALL=zh_CN.UTF-8
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
