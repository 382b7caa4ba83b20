#!/usr/bin/env bash
# The desktop entry and the MIME types: desktop-file-validate and xmllint accept them, and with
# the MIME types installed into a scratch XDG_DATA_HOME, `xdg-mime query filetype` names every
# example file (and binary files written from them by kelvor-cli) with Kelvor's type for its
# kind, even where the system's database knows the extension as something else (.raf, .msi).
#
# xdg-mime is asked as on a GNOME desktop (through gio): its generic fallback reads the database
# without the glob weights that desktops and Qt's file dialogs honour.
#
#   desktop_test.sh SOURCE_FOLDER KELVOR_CLI
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 SOURCE_FOLDER KELVOR_CLI" >&2
    exit 2
fi
source="$(cd "$1" && pwd)"
cli="$(realpath "$2")"
desktop="$source/app/desktop/kelvor.desktop"
mime_xml="$source/app/desktop/kelvor-mime.xml"

fail() {
    echo "desktop_test: FAILED: $*" >&2
    exit 1
}

for tool in desktop-file-validate xmllint update-mime-database xdg-mime gio; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (packages desktop-file-utils, \
libxml2-utils, shared-mime-info, xdg-utils, libglib2.0-bin)"
done

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-desktop.XXXXXX")"
trap 'rm -rf "$work"' EXIT

report="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $report"
[[ -z "$report" ]] || fail "desktop-file-validate: $report"
xmllint --noout "$mime_xml" || fail "xmllint rejects $mime_xml"

# Every type the desktop entry offers to open is defined, and the other way round.
offered="$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | sed '/^$/d' | sort)"
defined="$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime_xml" | sort)"
[[ "$offered" == "$defined" ]] ||
    fail "the desktop entry offers \"$(tr '\n' ' ' <<<"$offered")\" but the MIME types are \"$(tr '\n' ' ' <<<"$defined")\""

export XDG_DATA_HOME="$work/data"
export XDG_CURRENT_DESKTOP=GNOME
mkdir -p "$XDG_DATA_HOME/mime/packages"
cp "$mime_xml" "$XDG_DATA_HOME/mime/packages/kelvor.xml"
update-mime-database "$XDG_DATA_HOME/mime" || fail "update-mime-database refused the MIME types"

# The binary kinds the examples lack, written by the converter.
generated="$work/generated"
mkdir -p "$generated"
"$cli" convert --to rsd --out "$generated" "$source/examples/radio/hx23_am_56m.raf" >/dev/null
"$cli" convert --to asd --out "$generated" "$source/examples/antenna/npx120_11_envelope.adf" \
    >/dev/null
# (version 4 names have at most 15 characters)
"$cli" convert --to mas --technology aperture --out "$generated" \
    "$source/examples/antenna/dp450_dipole.dat" >/dev/null
# A version 5 file under a name without the extension: told by its first line alone.
cp "$source/examples/radio/hx23_am_56m.raf" "$generated/hx23_am_56m"
cp "$source/examples/antenna/npx120_11_envelope.adf" "$generated/npx120_11_envelope"

# file (relative to the examples or the generated files) and the type it must get.
cases=(
    "radio/ac450_lm_12k5.raf application/x-kelvor-radio5"
    "radio/hx23_am_56m.raf application/x-kelvor-radio5"
    "radio/nl180_18g_28m.raf application/x-kelvor-radio5"
    "radio/nr18s_stm1.raf application/x-kelvor-radio4"
    "radio/hm6l_16e1q.raf application/x-kelvor-radio4"
    "radio/hm6l_16e1q.mrs application/x-kelvor-radio4"
    "antenna/npx120_11_envelope.adf application/x-kelvor-nsma-antenna"
    "antenna/dp450_dipole.dat application/x-kelvor-nsma-antenna"
    "antenna/pnl450_Hpol.msi application/x-kelvor-msi-pattern"
    "antenna/pnl450_Vpol.msi application/x-kelvor-msi-pattern"
    "@hx23_am_56m.rsd application/x-kelvor-radio5-binary"
    "@npx120_11_envelope.asd application/x-kelvor-antenna-binary"
    "@dp450_dipole.mas application/x-kelvor-antenna-binary"
    "@hx23_am_56m application/x-kelvor-radio5"
    "@npx120_11_envelope application/x-kelvor-nsma-antenna"
)
failures=0
for case in "${cases[@]}"; do
    read -r name expected <<<"$case"
    if [[ "$name" == @* ]]; then
        file="$generated/${name#@}"
    else
        file="$source/examples/$name"
    fi
    [[ -f "$file" ]] || fail "no file $file"
    actual="$(xdg-mime query filetype "$file")"
    if [[ "$actual" != "$expected" ]]; then
        echo "desktop_test: $name is \"$actual\", expected \"$expected\"" >&2
        failures=$((failures + 1))
    fi
done
((failures == 0)) || fail "$failures of ${#cases[@]} files got the wrong type"

echo "desktop_test: passed (${#cases[@]} files)"
