#!/usr/bin/env bash
# Runs a Windows test executable under Wine with the environment the program expects: code page 936
# (from the zh_CN.UTF-8 locale), the project's own Wine prefix, and the X display that the test command
# started. CTest calls this for every test executable of both test trees. The loader follows the
# executable: a 32-bit one (PE machine 0x14c, build/test32) runs under the 32-bit loader in the WoW64
# prefix build/wineprefix32, a 64-bit one under wine64 in build/wineprefix.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
machine=$(od -An -tx2 -j$((${header:-0} + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
loader=/usr/lib/wine/wine64
prefix="$root/build/wineprefix"
if [ "$machine" = "014c" ]; then
    loader=/usr/lib/wine/wine
    prefix="$root/build/wineprefix32"
fi
export LC_ALL=zh_CN.UTF-8
export WINEPREFIX="${WINEPREFIX:-$prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec "$loader" "$@"
