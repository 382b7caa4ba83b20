#!/usr/bin/env bash
# Builds the Debian package of the build folder with cpack and checks it: the programs, the
# libraries, the CMake package, the desktop entry, the MIME types, the icons, the manual page
# and the completion are in it, and dpkg-shlibdeps gave it the libraries it needs as Depends.
#
#   deb_test.sh BUILD_FOLDER
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_FOLDER" >&2
    exit 2
fi
build="$(cd "$1" && pwd)"

fail() {
    echo "deb_test: FAILED: $*" >&2
    exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (packages cmake, dpkg-dev)"
done

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-deb.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$work"/kelvor_*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || { ls -l "$work" >&2; fail "no kelvor_*.deb written"; }
deb="${debs[0]}"

# "-rwxr-xr-x root/root 663064 2026-12-07 15:41 ./usr/bin/kelvor-cli", links with " -> TARGET"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/files"
expected=(
    /usr/bin/Kelvor
    /usr/bin/kelvor-cli
    /usr/lib/libQV6_UT.so
    /usr/lib/libQV6_EX.so
    /usr/lib/cmake/Kelvor/KelvorConfig.cmake
    /usr/include/kelvor/qv6_ut_export.h
    /usr/share/applications/kelvor.desktop
    /usr/share/mime/packages/kelvor.xml
    /usr/share/icons/hicolor/scalable/apps/kelvor.svg
    /usr/share/icons/hicolor/48x48/apps/kelvor.png
    /usr/share/icons/hicolor/256x256/apps/kelvor.png
    /usr/share/man/man1/kelvor-cli.1
    /usr/share/bash-completion/completions/kelvor-cli
)
for file in "${expected[@]}"; do
    grep -qx -- "$file" "$work/files" || { cat "$work/files" >&2; fail "$file is not in the package"; }
done
# Nothing of the build machine's folders made it in.
if grep -v '^/usr/' "$work/files" | grep -qv '^/$'; then
    cat "$work/files" >&2
    fail "the package holds files outside /usr"
fi

dpkg-deb -I "$deb" >"$work/info"
cat "$work/info"
depends="$(sed -n 's/^ Depends: //p' "$work/info")"
# The package names alone, one a line.
depended="$(sed 's/ ([^)]*)//g; s/, */\n/g' <<<"$depends")"
for library in libc6 libstdc++6 libqt6widgets6 libqt6svg6 libcurl4; do
    grep -qxF "$library" <<<"$depended" || fail "Depends does not name $library: $depends"
done

echo "deb_test: passed ($(basename "$deb"))"
