#!/bin/bash
# Starts Kelvor under Xvfb at QT_SCALE_FACTOR 1, then 2, closing it each time, and checks that
# the window has the same size on screen both times and that the stored placement did not change:
# the rectangle is kept in device pixels.
# Usage: kelvor_scale.sh KELVOR
set -u
kelvor="$1"

if [[ -z "${KELVOR_SCALE_INNER:-}" ]]; then
    for tool in xvfb-run xwininfo xdotool; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "kelvor_scale: $tool is missing (packages xvfb, x11-utils, xdotool)" >&2
            exit 1
        fi
    done
    work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-scale.XXXXXX")"
    trap 'rm -rf "$work"' EXIT
    export KELVOR_SCALE_INNER=1 KELVOR_SCALE_WORK="$work"
    export KELVOR_UPDATE_URL="http://127.0.0.1:9/kelvorver.txt"
    timeout 90 xvfb-run -a -s '-noreset -screen 0 1280x800x24' bash "$0" "$@"
    exit $?
fi

work="$KELVOR_SCALE_WORK"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Kelvor/Kelvor.ini"

fail() {
    echo "kelvor_scale: FAILED: $*" >&2
    exit 1
}

# Runs Kelvor at scale factor $1, prints "WIDTHxHEIGHT" of its window on screen, and closes it.
size_at() {
    QT_SCALE_FACTOR="$1" "$kelvor" >"$work/kelvor-$1.log" 2>&1 &
    local pid=$! id="" tries=0
    while ((tries < 100)) && [[ -z "$id" ]]; do
        id="$(xdotool search --onlyvisible --name '^Kelvor - Radio Data Files V5$' 2>/dev/null | head -1)"
        sleep 0.1
        tries=$((tries + 1))
    done
    [[ -n "$id" ]] || { kill "$pid"; fail "no window at factor $1"; }
    sleep 0.5
    local width height
    width="$(xwininfo -id "$id" | sed -n 's/^ *Width: //p')"
    height="$(xwininfo -id "$id" | sed -n 's/^ *Height: //p')"
    xdotool windowfocus --sync "$id" && xdotool key --delay 80 alt+F4
    wait "$pid" || fail "Kelvor at factor $1 ended with $?"
    echo "${width}x${height}"
}

first="$(size_at 1)" || exit 1
stored="$(grep WNDSZE_KELVOR_MAIN "$settings")" || fail "no placement stored"
second="$(size_at 2)" || exit 1
again="$(grep WNDSZE_KELVOR_MAIN "$settings")"
echo "kelvor_scale: factor 1: $first ($stored), factor 2: $second ($again)"
[[ "$first" == "$second" ]] || fail "the window is $first at factor 1 and $second at factor 2"
[[ "$stored" == "$again" ]] || fail "the placement changed from $stored to $again"
echo "kelvor_scale: passed"
