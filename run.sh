#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tool under Wine. With an X display ($DISPLAY) the
# window opens there; without one the tool runs on a private Xvfb display, a screenshot of its window
# after start-up is saved as a PNG, its path printed, and the tool closed again.
#
# The 32-bit release executable is built too (build/release/replydock.exe), but 32-bit Wine cannot
# run on every Linux kernel, so the tool is started from the 64-bit build of the same sources.
# Its chat.db lives in build/run/, the working directory it is started in.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_release
build_test_tree -- replydock

workdir="$build/run"
mkdir -p "$workdir"
cd "$workdir"

if [ -n "${DISPLAY:-}" ]; then
    ensure_wine_prefix
    set_wine_window_management Y
    log "starting the tool on display $DISPLAY (chat.db in build/run)"
    exec "$wine64" "$build/test/replydock.exe"
fi

# A first headless run shows a library with a few messages instead of an empty one.
if [ ! -f chat.db ]; then
    sqlite3 chat.db <<'SQL'
CREATE TABLE IF NOT EXISTS config ("key" VARCHAR (20) PRIMARY KEY, value TEXT);
CREATE TABLE IF NOT EXISTS msg (ID INTEGER PRIMARY KEY, msg VARCHAR, count INT DEFAULT (0), typeid INTEGER REFERENCES type (ID));
CREATE TABLE IF NOT EXISTS type (ID INTEGER PRIMARY KEY, name VARCHAR (255) NOT NULL);
INSERT INTO type (name) VALUES ('常用'), ('售前'), ('售后'), ('物流');
INSERT INTO msg (msg, count, typeid) VALUES
  ('您好，欢迎光临！请问有什么可以帮您？', 0, 1),
  ('亲，稍等一下，马上为您查询。', 0, 1),
  ('好的，已经为您备注，请放心。', 0, 1),
  ('感谢您的耐心等待！', 0, 1),
  ('这款现在有货，今天下单明天发货。', 0, 2),
  ('收到货有任何问题随时联系我们。', 0, 3),
  ('您的包裹已经发出，单号稍后发您。', 0, 4);
SQL
fi

trap stop_wine_session EXIT
start_private_display
ensure_wine_prefix
start_wineserver
set_wine_window_management N

log "starting the tool on a private display $DISPLAY"
"$wine64" "$build/test/replydock.exe" &
tool=$!
# The caption reads "快捷回复窗口 v 1.0.0" once start-up has finished.
window=""
for _ in $(seq 1 150); do
    window=$(xdotool search --name 'v 1\.0\.0' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    kill -0 "$tool" 2>/dev/null || break
    sleep 0.1
done
sleep 1
mkdir -p "$build/screenshots"
shot="$build/screenshots/startup.png"
crop=1280x1024+0+0
if [ -n "$window" ]; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    crop="${WIDTH}x${HEIGHT}+${X}+${Y}"
fi
import -window root -crop "$crop" +repage "$shot"
kill "$tool" >/dev/null 2>&1 || true
echo "$shot"
