#!/usr/bin/env bash
# Prints the figures we watch: the size of the 32-bit release executable and, under Wine (64-bit build
# of the same sources), the time of the store's bulk reads, of switching to and away from categories of
# 10,000 and 500,000 messages and of closing the window over them, of imports (one autocommit per line
# against one transaction, and a 50 MB file with the peak working set it adds), of one docking step, of
# a delivery to a simulated WeChat window and of following a chat window that another program moves
# (with the timer alone and with the triggers, and the CPU time idle beside it both ways), and what the
# online services add to start-up (against a local service), with the longest time the window cannot
# answer through start-up and a version check when that service never answers. Builds first, like
# test.sh.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_release >/dev/null
build_test_tree -- store_bench form_bench import_bench net_bench dock_bench >/dev/null
build_test_tree -- hang_bench >/dev/null

trap stop_wine_session EXIT
start_private_display
ensure_wine_prefix
start_wineserver
set_wine_window_management N  # the docking benchmark changes the foreground window

size=$(stat -c %s "$build/release/replydock.exe")
awk -v s="$size" 'BEGIN { printf "release executable (i686, build/release/replydock.exe): %d bytes (%.2f MB)\n", s, s / 1048576 }'
printf 'imports: %s\n' "$(i686-w64-mingw32-objdump -p "$build/release/replydock.exe" | awk '/DLL Name/ {printf "%s ", $3}')"
"$wine64" "$build/test/tools/store_bench.exe"
"$wine64" "$build/test/tools/form_bench.exe"          # 10,000 and 500,000 messages: switch to, away, close
"$wine64" "$build/test/tools/import_bench.exe"         # 10,000 lines both ways, and the ratio
"$wine64" "$build/test/tools/import_bench.exe" 500000  # the 50 MB file, with the peak working set
"$wine64" "$build/test/tools/net_bench.exe"
"$wine64" "$build/test/tools/dock_bench.exe"
"$wine64" "$build/test/tools/hang_bench.exe"  # the user-interface thread beside a hung QQ
