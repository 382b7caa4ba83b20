#!/usr/bin/env bash
# The bash completion of kelvor-cli: what it offers after typical command-line beginnings, and
# that its commands, options and formats are those the program's usage text names, so a new
# option cannot be forgotten in it.
#
#   completion_test.sh SOURCE_FOLDER KELVOR_CLI
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 SOURCE_FOLDER KELVOR_CLI" >&2
    exit 2
fi
source="$(cd "$1" && pwd)"
cli="$(realpath "$2")"

fail() {
    echo "completion_test: FAILED: $*" >&2
    exit 1
}

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-completion.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/radio" "$work/out"
touch "$work/radio/a.raf" "$work/radio/b.rsd"
cd "$work"

# shellcheck source=cli/kelvor-cli.bash
source "$source/cli/kelvor-cli.bash"

# Prints the sorted offers for the command line $1, the cursor at its end ("" ends it in a new,
# empty word).
offers() {
    read -r -a COMP_WORDS <<<"$1"
    if [[ "$1" == *" " ]]; then
        COMP_WORDS+=("")
    fi
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _kelvor_cli kelvor-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | tr '\n' ' ' | sed 's/ $//'
}

# command line | what it offers
cases=(
    "kelvor-cli |--help --version check convert dump"
    "kelvor-cli c|check convert"
    "kelvor-cli convert --to |adf asd mas mrs raf raf4 rsd"
    "kelvor-cli convert --to r|raf raf4 rsd"
    "kelvor-cli convert --technology |aperture dipole"
    "kelvor-cli check --reverse-backwards |no yes"
    "kelvor-cli convert --out o|out"
    "kelvor-cli convert --jobs |"
    "kelvor-cli check --l|--lint --lint=error"
    "kelvor-cli dump --|-- --reverse-backwards"
    "kelvor-cli convert --to rsd --c|--continue"
    "kelvor-cli check radio/|radio/a.raf radio/b.rsd"
    "kelvor-cli check -- --|"
    "kelvor-cli frobnicate --|"
)
failures=0
for case in "${cases[@]}"; do
    line="${case%%|*}"
    expected="${case#*|}"
    actual="$(offers "$line")"
    if [[ "$actual" != "$expected" ]]; then
        echo "completion_test: \"$line\" offers \"$actual\", expected \"$expected\"" >&2
        failures=$((failures + 1))
    fi
done
((failures == 0)) || fail "$failures of ${#cases[@]} command lines"

# The usage text against the completion: every option and format it names is offered.
usage="$("$cli" --help)"
options="$(grep -o -- '--[a-z][a-z0-9-]*\(=[a-z]*\)\?' <<<"$usage" | sort -u)"
offered="$( (offers "kelvor-cli check --"; echo; offers "kelvor-cli dump --"; echo
    offers "kelvor-cli convert --"; echo; offers "kelvor-cli -") | tr ' ' '\n' |
    grep -x -- '--[a-z].*' | sort -u)"
[[ "$options" == "$offered" ]] ||
    fail "the usage text names the options \"$(tr '\n' ' ' <<<"$options")\", the completion offers \"$(tr '\n' ' ' <<<"$offered")\""
formats="$(grep -o '[a-z0-9]\+ ([^)]*file)' <<<"$usage" | cut -d' ' -f1 | sort | tr '\n' ' ' |
    sed 's/ $//')"
[[ "$formats" == "$(offers "kelvor-cli convert --to ")" ]] ||
    fail "the usage text names the formats \"$formats\", the completion offers \"$(offers "kelvor-cli convert --to ")\""

echo "completion_test: passed (${#cases[@]} command lines)"
