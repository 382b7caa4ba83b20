#!/usr/bin/env bash
# Write faults through the real kelvor-cli convert, for every format it writes:
#
#   write_faults.sh KELVOR_CLI SOURCE_ROOT
#
# A file-size limit, a read-only target folder, a read-only target, special files as targets
# (a FIFO, a device node, a symbolic link to one), a FIFO as source and a full disk. In every
# case the conversion fails with exit 1 and a message saying why, the file or link that was
# there is exactly as it was, and no temporary file is left. A case that cannot be set up here
# (not root, no tmpfs) is skipped with a message. Prints one line per case; exits 1 when any
# case failed.
set -uo pipefail

if (($# != 2)); then
    echo "usage: write_faults.sh KELVOR_CLI SOURCE_ROOT" >&2
    exit 2
fi
cli="$(realpath "$1")"
root="$(realpath "$2")"
if [[ ! -x "$cli" ]]; then
    echo "write faults: $cli is not an executable kelvor-cli" >&2
    exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-write-faults.XXXXXX")"
chmod 755 "$work"
mounted=""
cleanup() {
    if [[ -n "$mounted" ]]; then
        umount "$mounted" || true
    fi
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
skipped=0
pass() { echo "ok - $1"; passed=$((passed + 1)); }
fail() { echo "FAILED - $1: $2"; failed=$((failed + 1)); }
skip() { echo "skipped - $1: $2"; skipped=$((skipped + 1)); }

# Every format convert writes: name, example, the source's name (a copy of the example), --to
# and its options, the name written. Each file written is larger than 1 KiB.
formats=(
    "raf|examples/radio/nl180_18g_28m.raf|nl180_18g_28m.raf|raf|nl180_18g_28m.raf"
    "rsd|examples/radio/nl180_18g_28m.raf|nl180_18g_28m.raf|rsd|nl180_18g_28m.rsd"
    "mrs|examples/radio/hm6l_16e1q.raf|hm6l_16e1q.raf|mrs|hm6l_16e1q.mrs"
    "raf4|examples/radio/hm6l_16e1q.raf|hm6l_16e1q.raf|raf4|hm6l_16e1q.raf"
    "asd|examples/antenna/npx120_11_envelope.adf|npx120.adf|asd --technology aperture|npx120.asd"
    "mas|examples/antenna/npx120_11_envelope.adf|npx120.adf|mas|npx120.mas"
    "adf|examples/antenna/pnl450_Vpol.msi|pnl450_Vpol.msi|adf|pnl450_Vpol.adf"
)

# The sources, readable by any user.
mkdir -p "$work/src"
for entry in "${formats[@]}"; do
    IFS='|' read -r _ example source _ _ <<<"$entry"
    cp "$root/$example" "$work/src/$source"
done
chmod 755 "$work/src"
chmod 644 "$work/src"/*

OLD_BYTES="the user's good file"

# Runs kelvor-cli with the arguments given (as another user when RUN_AS is set), leaving its
# exit status in $status and its output in $work/stdout and $work/stderr.
run_cli() {
    local prefix=()
    if [[ -n "${RUN_AS:-}" ]]; then
        prefix=(setpriv --reuid="$RUN_AS" --regid="$RUN_GROUP" --clear-groups --)
    fi
    status=0
    timeout 20 "${prefix[@]}" "$cli" "$@" >"$work/stdout" 2>"$work/stderr" </dev/null ||
        status=$?
}

# A fingerprint of a folder: each entry's name, type, mode and bytes (or link text).
folder_state() {
    local dir="$1" entry
    for entry in "$dir"/* "$dir"/.[!.]*; do
        [[ -e "$entry" || -L "$entry" ]] || continue
        if [[ -L "$entry" ]]; then
            echo "$(basename "$entry") link $(readlink "$entry")"
        elif [[ -f "$entry" ]]; then
            echo "$(basename "$entry") $(stat -c '%F %a %u' "$entry") $(md5sum <"$entry")"
        else
            echo "$(basename "$entry") $(stat -c '%F %a %u %t:%T' "$entry")"
        fi
    done
}

# The fingerprints of the folders given, one after the other.
state() {
    local dir
    for dir in "$@"; do
        echo "[$dir]"
        folder_state "$dir"
    done
}

# expect_refused CASE MESSAGE STATE_BEFORE FOLDER...: the last run failed with exit 1 and a
# message matching MESSAGE (an extended regular expression) on stderr, and the folders are as
# they were.
expect_refused() {
    local name="$1" message="$2" before="$3"
    shift 3
    local after
    after="$(state "$@")"
    if ((status == 124)); then
        fail "$name" "no exit within 20 s"
    elif ((status > 128)); then
        fail "$name" "killed by SIG$(kill -l $((status - 128)))"
    elif ((status != 1)); then
        fail "$name" "exit $status, not 1 ($(head -c 300 "$work/stderr"))"
    elif ! grep -qE -- "$message" "$work/stderr"; then
        fail "$name" "stderr does not say \"$message\": $(head -c 300 "$work/stderr")"
    elif [[ "$after" != "$before" ]]; then
        fail "$name" "the folder changed: before [$before] after [$after]"
    else
        pass "$name"
    fi
}

# A fresh target folder for a case, holding the old target when $2 is "replace".
fresh_folder() {
    local dir
    dir="$(mktemp -d "$work/case.XXXXXX")"
    chmod 755 "$dir"
    if [[ "$2" == replace ]]; then
        printf '%s' "$OLD_BYTES" >"$dir/$1"
    fi
    echo "$dir"
}

# ---- a file-size limit: "File too large", nothing changed, nothing left ----------------------
for entry in "${formats[@]}"; do
    IFS='|' read -r name _ source to written <<<"$entry"
    read -ra options <<<"$to"
    # How large the file is when nothing stops it: the limit is set below that.
    reference="$(fresh_folder "$written" new)"
    run_cli convert --to "${options[@]}" --out "$reference" "$work/src/$source"
    if ((status != 0)) || [[ ! -f "$reference/$written" ]]; then
        fail "file-size limit, $name" "the conversion without a limit fails (exit $status)"
        continue
    fi
    size="$(stat -c %s "$reference/$written")"
    if ((size <= 1024)); then
        fail "file-size limit, $name" "the converted file ($size bytes) is too small for a limit"
        continue
    fi
    limit_kib=$(((size - 1) / 1024))
    for how in replace new; do
        dir="$(fresh_folder "$written" "$how")"
        before="$(state "$dir")"
        status=0
        # (The shell's own note of a child killed by SIGXFSZ is not wanted in the report.)
        {
            (
                ulimit -f "$limit_kib"
                exec "$cli" convert --to "${options[@]}" --out "$dir" \
                    "$work/src/$source" >"$work/stdout" 2>"$work/stderr" </dev/null
            ) || status=$?
        } 2>/dev/null
        expect_refused "file-size limit, $name, $how file" "File too large" "$before" "$dir"
    done
done

# ---- special files as targets: refused, left as they were ------------------------------------
radio_source="$work/src/nl180_18g_28m.raf"
for to in raf rsd mrs; do
    dir="$(fresh_folder x new)"
    mkfifo "$dir/nl180_18g_28m.$to"
    before="$(state "$dir")"
    run_cli convert --to "$to" --out "$dir" "$radio_source"
    expect_refused "a FIFO as target, $to" "nl180_18g_28m.$to" "$before" "$dir"
done

if ((EUID == 0)); then
    # A device node of our own: a program that follows the link and renames over what it finds
    # replaces this node, not the system's /dev/null.
    mkdir "$work/dev"
    mknod "$work/dev/null" c 1 3
    device="$work/dev/null"
else
    device=/dev/null
fi
for to in raf rsd; do
    dir="$(fresh_folder x new)"
    ln -s "$device" "$dir/nl180_18g_28m.$to"
    before="$(state "$dir" "$(dirname "$device")")"
    run_cli convert --to "$to" --out "$dir" "$radio_source"
    # The message names the link or the device it leads to.
    expect_refused "a link to a device as target, $to" "nl180_18g_28m\\.$to|$device" "$before" \
        "$dir" "$(dirname "$device")"
done
if ((EUID == 0)); then
    dir="$(fresh_folder x new)"
    mknod "$dir/nl180_18g_28m.raf" c 1 3
    before="$(state "$dir")"
    run_cli convert --to raf --out "$dir" "$radio_source"
    expect_refused "a device node as target" "nl180_18g_28m.raf" "$before" "$dir"
else
    skip "a device node as target" "making a device node needs root"
fi

# ---- a FIFO as source: refused at once, never waited on --------------------------------------
dir="$(fresh_folder x new)"
mkfifo "$dir/waiting.raf"
before="$(state "$dir")"
for command in check dump "convert --to rsd --out $dir"; do
    read -ra words <<<"$command"
    run_cli "${words[@]}" "$dir/waiting.raf"
    if [[ "${words[0]}" == check ]]; then
        # check reports each file on standard output.
        cat "$work/stdout" >>"$work/stderr"
    fi
    expect_refused "a FIFO as source, ${words[0]}" "waiting.raf" "$before" "$dir"
done

# ---- read-only folder and read-only target, as a user who may not write them ----------------
if ((EUID == 0)); then
    if command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
        RUN_AS=nobody
        RUN_GROUP="$(id -gn nobody)"
        owner=nobody
    else
        RUN_AS=""
        skip "read-only target folder and target" "root without setpriv and a user nobody"
    fi
else
    RUN_AS=""
    owner="$(id -un)"
fi
if [[ -n "${owner:-}" ]]; then
    for entry in "${formats[@]}"; do
        IFS='|' read -r name _ source to written <<<"$entry"
        read -ra options <<<"$to"
        for how in replace new; do
            dir="$(fresh_folder "$written" "$how")"
            chmod 555 "$dir"
            before="$(state "$dir")"
            run_cli convert --to "${options[@]}" --out "$dir" "$work/src/$source"
            expect_refused "read-only target folder, $name, $how file" "Permission denied" \
                "$before" "$dir"
            chmod 755 "$dir"
        done
        dir="$(fresh_folder "$written" replace)"
        chmod 444 "$dir/$written"
        chown "$owner" "$dir" "$dir/$written"
        before="$(state "$dir")"
        run_cli convert --to "${options[@]}" --out "$dir" "$work/src/$source"
        expect_refused "read-only target, $name" "Permission denied" "$before" "$dir"
    done
    RUN_AS=""
fi

# ---- a full disk: "No space left on device", nothing changed, nothing left -------------------
disk="$work/disk"
mkdir "$disk"
if ((EUID != 0)); then
    skip "full disk" "mounting a small file system needs root"
elif ! mount -t tmpfs -o size=64k kelvor-full-disk "$disk" 2>"$work/stderr"; then
    skip "full disk" "no tmpfs could be mounted here: $(head -c 200 "$work/stderr")"
else
    mounted="$disk"
    for entry in "${formats[@]}"; do
        IFS='|' read -r name _ source to written <<<"$entry"
        read -ra options <<<"$to"
        for how in replace new; do
            rm -rf "${disk:?}"/*
            dir="$disk/out"
            mkdir "$dir"
            if [[ "$how" == replace ]]; then
                printf '%s' "$OLD_BYTES" >"$dir/$written"
            fi
            # Fill what is left: the write fails, whatever its size.
            dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
            before="$(state "$dir")"
            run_cli convert --to "${options[@]}" --out "$dir" "$work/src/$source"
            expect_refused "full disk, $name, $how file" "No space left on device" \
                "$before" "$dir"
        done
    done
fi

echo "write faults: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
