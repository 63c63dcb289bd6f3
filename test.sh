#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit release and the 64-bit test tree (warnings are errors),
# and runs every test executable under Wine on a private X display. Ends with CTest's summary.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_release -DREPLYDOCK_WERROR=ON
build_test_tree -DREPLYDOCK_WERROR=ON
# The native fuzz targets, a bounded time each (scripts/fuzz.sh tells how to run them longer).
[ "$#" -eq 0 ] && "$root/scripts/fuzz.sh"

trap stop_wine_session EXIT
start_private_display
ensure_wine_prefix
start_wineserver
set_wine_window_management N

log "running the tests under Wine (display $DISPLAY)"
cd "$build/test"
# Without arguments every test runs but those labelled "large" (minutes long; ./test.sh -L large).
if [ "$#" -eq 0 ]; then
    set -- -LE large
fi
ctest --output-on-failure -j "$(nproc)" "$@"
