#!/usr/bin/env bash
# Times `kelvor-cli convert --to asd` of a tree of 2,000 NSMA antenna files (eight cuts each,
# every 20th with 3,600 points a cut) against `cp -r` of the same tree, in one run. Target: the
# conversion takes at most twice as long as the copy.
#   bench/antenna_convert.sh [BUILD_DIR]      (default: build)
#
# Both sides create 2,000 files. On a file system without a journal, ext4 passes over inodes
# deleted in the last minutes when it makes new ones, so a run straight after another (or after
# deleting many files) is slower on both sides and the ratio wanders; give it a quiet disk.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
bin="$build/bin/antenna_convert_bench"
cli="$build/bin/kelvor-cli"
if [[ ! -x "$bin" || ! -x "$cli" ]]; then
    cmake --build "$build" --target antenna_convert_bench kelvor-cli
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

"$bin" generate "$work/tree" "${KELVOR_BENCH_FILES:-2000}" 20
echo "tree: $(du -sh "$work/tree" | cut -f1) in $(find "$work/tree" -type f | wc -l) files"
sync

seconds() { date +%s.%N; }

start=$(seconds)
cp -r "$work/tree" "$work/copy"
sync
copy=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')

start=$(seconds)
"$cli" convert --to asd --technology aperture --continue "$work/tree" > "$work/log"
sync
conversion=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')
tail -n 1 "$work/log"

ratio=$(awk -v a="$conversion" -v b="$copy" 'BEGIN { printf "%.2f", a / b }')
echo "cp -r: ${copy} s, conversion to .asd: ${conversion} s, ratio ${ratio} (target <= 2)"
if awk -v r="$ratio" 'BEGIN { exit !(r > 2) }'; then
    echo "antenna conversion: slower than the target"
    exit 1
fi
