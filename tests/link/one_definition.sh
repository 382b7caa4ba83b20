#!/usr/bin/env bash
# Fails when a function or variable with external linkage is defined in more than one of the
# given libraries (static archives or shared objects), or twice within one archive. A program
# that links two such libraries gets whichever copy the linker meets first, silently.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 LIBRARY LIBRARY..." >&2
    exit 2
fi

listing=$(mktemp)
trap 'rm -f "$listing"' EXIT

for library in "$@"; do
    case "$library" in
    *.so | *.so.*) options=(--dynamic --defined-only) ;;
    *) options=(--defined-only --extern-only) ;;
    esac
    # Strong definitions only: weak and unique symbols (inline functions, templates, vtables)
    # are meant to be merged.
    nm "${options[@]}" --format=posix "$library" 2>/dev/null |
        awk -v lib="$(basename "$library")" '
            NF >= 2 && $2 ~ /^[TDBRG]$/ &&
            $1 !~ /^(_init|_fini|_edata|_end|__bss_start)$/ { print $1 "\t" lib }'
done | sort >"$listing"

if [ ! -s "$listing" ]; then
    echo "no symbols read: is nm installed?" >&2
    exit 1
fi

clashes=$(cut -f1 "$listing" | uniq -d)
if [ -n "$clashes" ]; then
    while IFS= read -r symbol; do
        where=$(awk -F'\t' -v s="$symbol" '$1 == s { print $2 }' "$listing" | paste -sd' ')
        echo "defined more than once: $(echo "$symbol" | c++filt) in $where"
    done <<<"$clashes"
    exit 1
fi
echo "$(wc -l <"$listing") definitions, each in one place"
