#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit release and the 64-bit test tree (warnings are errors),
# and runs every test executable under Wine on a private X display. Where the machine runs 32-bit
# programs, the test executables are built for i686 as well (build/test32) and the whole suite runs a
# second time under 32-bit Wine. Each run ends with CTest's summary.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages
# Every include follows the layers base -> store -> state -> ui -> chat, net -> app.
"$root/scripts/check_layers.sh"
build_release -DREPLYDOCK_WERROR=ON
check_release_size
build_test_tree -DREPLYDOCK_WERROR=ON
run32=""
if can_run_32bit; then
    run32=1
    build_test32_tree -DREPLYDOCK_WERROR=ON
else
    echo "32-bit suite skipped: $wine32_reason"
fi
# The native fuzz targets, a bounded time each (scripts/fuzz.sh tells how to run them longer).
[ "$#" -eq 0 ] && "$root/scripts/fuzz.sh"

trap stop_wine_session EXIT
start_private_display

# Without arguments every test runs but those labelled "large" (./test.sh -L large).
if [ "$#" -eq 0 ]; then
    set -- -LE large
fi

# run_suite <test tree> <prefix> <what>: the whole suite in one tree with its own prefix and wineserver.
run_suite() {
    export WINEPREFIX="$2"
    ensure_wine_prefix
    start_wineserver
    set_wine_window_management N
    log "running the tests under $3 (display $DISPLAY)"
    (cd "$1" && ctest --output-on-failure -j "$(nproc)" "${@:4}")
}

status=0
run_suite "$build/test" "$build/wineprefix" "64-bit Wine" "$@" || status=$?
if [ -n "$run32" ]; then
    run_suite "$build/test32" "$wineprefix32" "32-bit Wine (i686 build)" "$@" || status=$?
fi
exit "$status"
