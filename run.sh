#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tool under Wine. Where the machine runs 32-bit
# programs (and 32-bit Wine can be installed) the tool started is the i686 release itself
# (build/release/replydock.exe) under 32-bit Wine; elsewhere it is the x86_64 build of the same
# sources (build/test/replydock.exe) under 64-bit Wine. It says which.
#
# With an X display ($DISPLAY) the window opens there. Without one the tool shows its main job on a
# private Xvfb display: the chat-client simulator opens a WeChat-like window, the tool docks beside
# it, a double-click on a demo message delivers that message into it, and a screenshot of both
# windows is saved as a PNG, its path printed, and everything closed again.
# The tool's chat.db lives in build/run/, the working directory it is started in.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_release
build_test_tree -- replydock chat_client_sim

if can_run_32bit; then
    tool="$build/release/replydock.exe"
    loader="$wine32"
    export WINEPREFIX="$wineprefix32"
    echo "starting the i686 release (build/release/replydock.exe) under 32-bit Wine"
else
    tool="$build/test/replydock.exe"
    loader="$wine64"
    echo "starting the x86_64 build (build/test/replydock.exe) under 64-bit Wine: $wine32_reason"
fi

workdir="$build/run"
mkdir -p "$workdir"
cd "$workdir"

if [ -n "${DISPLAY:-}" ]; then
    ensure_wine_prefix
    set_wine_window_management Y
    log "starting the tool on display $DISPLAY (chat.db in build/run)"
    exec "$loader" "$tool"
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

# The simulator answers one line per command on its standard output (tests/chat/sim_protocol.h).
coproc simulator { "$wine64" "$build/test/tests/chat_client_sim.exe" 2>/dev/null; }
sim_in=${simulator[1]}
sim_out=${simulator[0]}
sim() {
    local answer
    printf '%s\n' "$*" >&"$sim_in"
    IFS= read -r -t 30 answer <&"$sim_out" || answer="error no answer"
    printf '%s' "${answer%$'\r'}"
}
IFS= read -r -t 60 _ <&"$sim_out" || true  # "ready"
# A WeChat main window: its class name and the title "微信" (GBK, as the simulator takes titles).
chat=$(sim "open 0 60 120 560 546 0 WeChatMainWndForPC $(printf '微信' | iconv -f UTF-8 -t GBK)")
chat=${chat#ok }

log "starting the tool beside a simulated WeChat window on a private display $DISPLAY"
"$loader" "$tool" &
tool_pid=$!
# The caption reads "快捷回复窗口 v 1.0.0" once start-up has finished.
window=""
for _ in $(seq 1 150); do
    window=$(xdotool search --name 'v 1\.0\.0' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    kill -0 "$tool_pid" 2>/dev/null || break
    sleep 0.1
done
# The chat window in front: the tool docks against its right edge on its next timer tick.
sim "front $chat" >/dev/null
sleep 1.5
if [ -n "$window" ]; then
    # Double-click the first demo message (its row lies 150, 100 pixels into the window).
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 150)) $((Y + 100)) click --repeat 2 --delay 80 1
    sleep 2
fi

mkdir -p "$build/screenshots"
shot="$build/screenshots/demo.png"
crop=1600x1200+0+0
chat_window=$(xdotool search --name '^微信$' 2>/dev/null | head -n 1) || true
if [ -n "$window" ] && [ -n "$chat_window" ]; then
    eval "$(xdotool getwindowgeometry --shell "$chat_window")"
    left=$X top=$Y right=$((X + WIDTH)) bottom=$((Y + HEIGHT))
    eval "$(xdotool getwindowgeometry --shell "$window")"
    left=$((X < left ? X : left)) top=$((Y < top ? Y : top))
    right=$((X + WIDTH > right ? X + WIDTH : right)) bottom=$((Y + HEIGHT > bottom ? Y + HEIGHT : bottom))
    crop="$((right - left))x$((bottom - top))+${left}+${top}"
fi
import -window root -crop "$crop" +repage "$shot"
sim quit >/dev/null || true
kill "$tool_pid" >/dev/null 2>&1 || true
echo "$shot"
