#!/usr/bin/env bash
# Runs one libFuzzer target as a test:
#   run_fuzzer.sh BINARY SEED_CORPUS REGRESSIONS ARTIFACTS SECONDS
# 1. replays every file in REGRESSIONS (inputs that once failed; the folder may be missing);
# 2. fuzzes for KELVOR_FUZZ_SECONDS (else SECONDS) seconds from a temporary copy of SEED_CORPUS.
# Fails when the target crashes, leaks, hangs or aborts; the input that did it is kept in
# ARTIFACTS and its path printed.
set -euo pipefail

if (($# != 5)); then
    echo "usage: run_fuzzer.sh BINARY SEED_CORPUS REGRESSIONS ARTIFACTS SECONDS" >&2
    exit 2
fi
binary="$1"
seeds="$2"
regressions="$3"
artifacts="$4"
seconds="${KELVOR_FUZZ_SECONDS:-$5}"
name="$(basename "$binary")"

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || ((seconds < 1)); then
    echo "$name: KELVOR_FUZZ_SECONDS must be a whole number of seconds, not '$seconds'" >&2
    exit 2
fi
if [[ ! -d "$seeds" ]] || [[ -z "$(ls -A "$seeds")" ]]; then
    echo "$name: the seed corpus $seeds is missing or empty" >&2
    exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/$name.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts" "$work/corpus"
cp -R "$seeds/." "$work/corpus/"

# Per-input limits: a slow input is a hang, a hungry one a memory fault. No reader may ask for more
# than 256 MB at once, whatever a file claims; the resident limit leaves room for the sanitizers'
# shadow memory and quarantine on top of that.
options=(-timeout=10 -malloc_limit_mb=256 -rss_limit_mb=1024 -artifact_prefix="$artifacts/"
    -print_final_stats=1)

report_failure() {
    echo "FAILED: $name $1"
    local found=()
    mapfile -t found < <(find "$artifacts" -type f -newer "$work/started" 2>/dev/null)
    if ((${#found[@]} > 0)); then
        echo "The failing input is kept in:"
        printf '  %s\n' "${found[@]}"
        echo "Replay it with: $binary <file>"
    fi
}

touch "$work/started"

# A hard cap well past libFuzzer's own time limit, in case the fuzzer itself stops responding.
cap=$((seconds + 120))

if [[ -d "$regressions" ]] && [[ -n "$(ls -A "$regressions")" ]]; then
    echo "== $name: replaying the inputs in $regressions"
    for input in "$regressions"/*; do
        if ! timeout "$cap" "$binary" "${options[@]}" "$input"; then
            echo "FAILED: $name on the regression input $input"
            exit 1
        fi
    done
fi

echo "== $name: fuzzing for $seconds s from a copy of $seeds"
if ! timeout "$cap" "$binary" "${options[@]}" -max_total_time="$seconds" "$work/corpus"; then
    report_failure "while fuzzing"
    exit 1
fi
echo "== $name: no failure in $seconds s"
