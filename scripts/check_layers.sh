#!/usr/bin/env bash
# Fails on an #include that goes against the layers of the program, from the bottom up:
#   base -> store -> app_state (app/app_state.*) -> ui -> chat, net -> app
# A file may include its own layer and those below it. Exceptions, each named here:
#   app/app_state.h names the chat-window record chat/chat_target.h;
#   chat/ and net/ use ui/ only through the window layer, the form's handles and the dialog seam;
#   chat/ and net/ never include each other.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

layer_of() {
    case "$1" in
        base/*) echo base ;;
        store/*) echo store ;;
        app/app_state.*) echo app_state ;;
        ui/*) echo ui ;;
        chat/*) echo chat ;;
        net/*) echo net ;;
        app/*) echo app ;;
        *) echo other ;;
    esac
}

# allowed <from layer> <included path>
allowed() {
    local from="$1" path="$2" to
    to="$(layer_of "$path")"
    [ "$from" = "$to" ] && return 0
    case "$from" in
        base) return 1 ;;
        store) [ "$to" = base ] ;;
        app_state) [ "$to" = base ] || [ "$to" = store ] || [ "$path" = chat/chat_target.h ] ;;
        ui) [ "$to" = base ] || [ "$to" = store ] || [ "$to" = app_state ] ;;
        chat | net)
            [ "$to" = base ] || [ "$to" = store ] || [ "$to" = app_state ] ||
                [ "$path" = ui/window_layer.h ] || [ "$path" = ui/main_form.h ] || [ "$path" = ui/dialogs.h ] ;;
        app) return 0 ;;
        *) return 0 ;;
    esac
}

status=0
while IFS= read -r file; do
    from="$(layer_of "$file")"
    while IFS= read -r path; do
        if ! allowed "$from" "$path"; then
            echo "layer check: $file ($from) includes $path ($(layer_of "$path"))" >&2
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find base store app ui chat net -name '*.h' -o -name '*.cpp' | sort)
[ "$status" -eq 0 ] && echo "layer check: every include follows base -> store -> app_state -> ui -> chat, net -> app" >&2
exit "$status"
