#!/usr/bin/env bash
# Starts the real Kelvor program under Xvfb: with a version 5 radio file on the command line it
# must show "Kelvor - Radio Data Files V5 - NAME.raf"; Ctrl+2 switches to the version 4 mode;
# Alt+F4 closes it and the settings file must hold the file among the version 5 mode's recent
# files and the placement of a first start on a 1280 x 800 screen; a second start with an antenna file opens the antenna mode. A screenshot of
# the main window in each mode is saved in the screenshot folder.
#
#   kelvor_smoke.sh KELVOR_BINARY EXAMPLES_FOLDER SCREENSHOT_FOLDER
set -euo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 KELVOR_BINARY EXAMPLES_FOLDER SCREENSHOT_FOLDER" >&2
    exit 2
fi
kelvor="$1"
examples="$2"
screenshots="$3"

if [[ -z "${KELVOR_SMOKE_INNER:-}" ]]; then
    for tool in xvfb-run xwininfo xdotool import; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "kelvor_smoke: $tool is missing (packages xvfb, x11-utils, xdotool, imagemagick)" >&2
            exit 1
        fi
    done
    mkdir -p "$screenshots"
    work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-smoke.XXXXXX")"
    trap 'rm -rf "$work"' EXIT
    export KELVOR_SMOKE_INNER=1 KELVOR_SMOKE_WORK="$work"
    # No network for the program under test.
    export KELVOR_UPDATE_URL="http://127.0.0.1:9/kelvorver.txt"
    # -noreset: the server must not restart when the first Kelvor, its last client, ends.
    timeout 120 xvfb-run -a -s '-noreset -screen 0 1280x800x24' "$0" "$@"
    exit $?
fi

work="$KELVOR_SMOKE_WORK"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb

fail() {
    echo "kelvor_smoke: FAILED: $*" >&2
    # What the program said, and what the screen showed.
    for log in "$work"/kelvor-*.log; do
        [[ -s "$log" ]] && { echo "--- $(basename "$log"):" >&2; cat "$log" >&2; }
    done
    xwininfo -root -tree 2>/dev/null | grep -E '^ +0x[0-9a-f]+ "' >&2 || true
    import -window root "$screenshots/kelvor-failure.png" 2>/dev/null || true
    exit 1
}

# Prints the id of the window titled exactly $1, waiting up to $2 tenths of a second for it;
# false when it does not show.
find_window() {
    local title="$1" limit="$2" id="" tries=0
    while ((tries < limit)); do
        id="$(xwininfo -name "$title" 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')"
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    return 1
}

# Prints the id of the window titled exactly $1, waiting up to 20 s for it.
wait_for_window() {
    find_window "$1" 200 || fail "no window titled \"$1\" within 20 s"
}

# Sends the keys $2 to window $1 until a window titled $3 shows: a loaded machine may drop a
# key sent while the window is still taking the focus. Prints the new window's id.
keys_until_window() {
    local try id
    for try in 1 2 3; do
        send_keys "$1" "$2"
        if id="$(find_window "$3" 70)"; then
            echo "$id"
            return 0
        fi
    done
    fail "no window titled \"$3\" after $2"
}

# Closes window $1 of process $2 with Alt+F4 (sent again while the process lives) and waits up
# to 20 s for the process to end; fails when it does not.
close_and_wait() {
    local window="$1" pid="$2" tries=0
    send_keys "$window" alt+F4
    while kill -0 "$pid" 2>/dev/null; do
        if ((tries >= 200)); then
            kill "$pid" 2>/dev/null || true
            fail "Kelvor did not end within 20 s of Alt+F4"
        fi
        if ((tries == 50 || tries == 100)); then
            send_keys "$window" alt+F4 || true
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    wait "$pid" || fail "Kelvor ended with status $?"
}

# Saves a screenshot of window $1 as $2 once the window has drawn itself.
screenshot() {
    sleep 1
    import -window "$1" "$screenshots/$2"
    [[ -s "$screenshots/$2" ]] || fail "no screenshot $2"
    echo "kelvor_smoke: screenshot $screenshots/$2"
}

# Saves the screen area of window $1, with any menu open over it, as $2.
screenshot_area() {
    local info x y width height
    info="$(xwininfo -id "$1")"
    x="$(sed -n 's/.*Absolute upper-left X: *\([0-9-]*\).*/\1/p' <<<"$info")"
    y="$(sed -n 's/.*Absolute upper-left Y: *\([0-9-]*\).*/\1/p' <<<"$info")"
    width="$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")"
    height="$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")"
    sleep 1
    import -window root -crop "${width}x${height}+${x}+${y}" +repage "$screenshots/$2"
    [[ -s "$screenshots/$2" ]] || fail "no screenshot $2"
    echo "kelvor_smoke: screenshot $screenshots/$2"
}

send_keys() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || return 1
    sleep 0.3
    xdotool key --clearmodifiers "$2"
}

radio_file="$examples/radio/hx23_am_56m.raf"
antenna_file="$examples/antenna/npx120_11_envelope.adf"
[[ -f "$radio_file" && -f "$antenna_file" ]] || fail "example files missing in $examples"

# First start: no settings file yet.
"$kelvor" "$radio_file" >"$work/kelvor-1.log" 2>&1 &
pid=$!
window="$(wait_for_window "Kelvor - Radio Data Files V5 - hx23_am_56m.raf")"
screenshot "$window" kelvor-radio-v5.png
window="$(keys_until_window "$window" ctrl+2 "Kelvor - Radio Data Files V4")"
screenshot "$window" kelvor-radio-v4.png
close_and_wait "$window" "$pid"

settings="$XDG_CONFIG_HOME/Kelvor/Kelvor.ini"
[[ -f "$settings" ]] || fail "no settings file $settings"
expected="$(printf '[Recent Files V5]\r\nFile1=%s\r\n[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=160,66,512,600,256,0,0,0,0\r\nx' "$radio_file")"
expected="${expected%x}"
actual="$(cat "$settings"; echo x)"
actual="${actual%x}"
if [[ "$actual" != "$expected" ]]; then
    echo "settings file:" >&2
    od -c "$settings" >&2
    fail "the settings file does not hold the recent file and the default rectangle"
fi

# Second start: an antenna file opens the antenna mode.
"$kelvor" "$antenna_file" >"$work/kelvor-2.log" 2>&1 &
pid=$!
window="$(wait_for_window "Kelvor - TIA NSMA Antenna Data Files - npx120_11_envelope.adf")"
screenshot "$window" kelvor-antenna.png
send_keys "$window" alt+f
screenshot_area "$window" kelvor-antenna-files-menu.png
xdotool key Escape
close_and_wait "$window" "$pid"

echo "kelvor_smoke: passed"
