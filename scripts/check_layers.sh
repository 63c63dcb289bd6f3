#!/usr/bin/env bash
# Fails on an #include that goes against the layers of the program, from the bottom up:
#   base -> store -> state -> ui -> chat, net -> app
# Each folder is one layer. A file may include its own layer and those below it. Exceptions, each
# named here:
#   chat/ and net/ use ui/ only through the window layer, the form's handles and the dialog seam;
#   chat/ and net/ never include each other.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

layer_of() {
    case "$1" in
        base/*) echo base ;;
        store/*) echo store ;;
        state/*) echo state ;;
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
        state) [ "$to" = base ] || [ "$to" = store ] ;;
        ui) [ "$to" = base ] || [ "$to" = store ] || [ "$to" = state ] ;;
        chat | net)
            [ "$to" = base ] || [ "$to" = store ] || [ "$to" = state ] ||
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
done < <(find base store state ui chat net app -name '*.h' -o -name '*.cpp' | sort)
[ "$status" -eq 0 ] && echo "layer check: every include follows base -> store -> state -> ui -> chat, net -> app" >&2
exit "$status"
