#!/usr/bin/env bash
# Times `kelvor-cli convert --continue --to rsd` of a tree of 2,000 version 5 ASCII radio files
# (with curves, adaptive-modulation states and coupling units, in nested folders) against `cp -r`
# of the same tree, in one run, and compares the converter's peak memory on the whole tree with
# that on a tenth of it, and times rewriting the tree's files in place. Targets: the conversion
# within twice the copy; memory flat over the batch.
#   bench/radio_convert.sh [BUILD_DIR]      (default: build)
#
# Both sides create 2,000 files; see bench/antenna_convert.sh on measuring right after a large
# delete.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cli="$build/bin/kelvor-cli"
if [[ ! -x "$cli" ]]; then
    cmake --build "$build" --target kelvor-cli
fi
files="${KELVOR_BENCH_FILES:-2000}"

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The tree: the examples as templates, each copy with its own name, model and values, 100 files
# a folder, two folder levels deep.
python3 - "$root/examples/radio" "$work/tree" "$files" <<'PY'
import os, random, re, sys
source, tree, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
templates = []
for name in sorted(os.listdir(source)):
    with open(os.path.join(source, name), 'rb') as f:
        text = f.read().decode('latin-1')
    if text.startswith('QV50_ASCII_RADIO_SPEC_04'):
        templates.append(text)
random.seed(5)
number = re.compile(r'(-?\d+\.\d\d)(?=[,\r])')
for i in range(count):
    text = templates[i % len(templates)]
    text = re.sub(r'MODEL:\t[^\r]*', 'MODEL:\tBench model %d' % i, text)
    text = number.sub(lambda m: '%.2f' % (float(m.group(1)) * random.uniform(0.95, 1.05)), text)
    folder = os.path.join(tree, 'group%02d' % (i // 500), 'batch%03d' % (i // 100))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'radio_%04d.raf' % i), 'wb') as f:
        f.write(text.encode('latin-1'))
PY
echo "tree: $(du -sh "$work/tree" | cut -f1) in $(find "$work/tree" -type f | wc -l) files"
sync

seconds() { date +%s.%N; }

start=$(seconds)
cp -r "$work/tree" "$work/copy"
sync
copy=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')

start=$(seconds)
/usr/bin/time -f '%M' -o "$work/memory" "$cli" convert --continue --to rsd "$work/tree" > "$work/log"
sync
conversion=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')
tail -n 1 "$work/log"

# In place: every .raf of the tree rewritten over itself. A file that replaces another is flushed
# before its rename, also in a batch, so this shows what that costs; no target.
start=$(seconds)
"$cli" convert --continue --to raf "$work/tree" > /dev/null
sync
in_place=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')

# Peak memory on a tenth of the tree, for comparison.
"$cli" convert --to raf --out "$work/tenth" "$work/tree/group00/batch000" > /dev/null
/usr/bin/time -f '%M' -o "$work/memory_tenth" "$cli" convert --continue --to rsd "$work/tenth" > /dev/null

ratio=$(awk -v a="$conversion" -v b="$copy" 'BEGIN { printf "%.2f", a / b }')
echo "cp -r: ${copy} s, conversion to .rsd: ${conversion} s, ratio ${ratio} (target <= 2)"
echo "in place (.raf over .raf): ${in_place} s"
echo "peak memory: $(cat "$work/memory") KiB for ${files} files, $(cat "$work/memory_tenth") KiB for 100"
status=0
if awk -v r="$ratio" 'BEGIN { exit !(r > 2) }'; then
    echo "radio conversion: slower than the target"
    status=1
fi
if awk -v a="$(cat "$work/memory")" -v b="$(cat "$work/memory_tenth")" 'BEGIN { exit !(a > 1.5 * b) }'; then
    echo "radio conversion: memory grows with the number of files"
    status=1
fi
exit $status
