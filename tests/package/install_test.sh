#!/usr/bin/env bash
# Installs the build into a scratch root (DESTDIR, prefix /usr) and uses it from there, without
# the build folder and without LD_LIBRARY_PATH: the installed files are all in place, the
# programs find the installed libraries through their RUNPATH, kelvor-cli tells its version,
# Kelvor opens an example file and closes under Xvfb (the smoke script), and a program of another
# project builds against the libraries with find_package(Kelvor) and runs.
#
#   install_test.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 BUILD_FOLDER SOURCE_FOLDER" >&2
    exit 2
fi
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"

fail() {
    echo "install_test: FAILED: $*" >&2
    exit 1
}

for tool in cmake ninja readelf ldd identify xvfb-run; do
    command -v "$tool" >/dev/null 2>&1 ||
        fail "$tool is missing (packages cmake, ninja-build, binutils, imagemagick, xvfb)"
done

work="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-install.XXXXXX")"
trap 'rm -rf "$work"' EXIT
unset LD_LIBRARY_PATH

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
prefix="$work/root/usr"

# The installed files.
expected=(
    bin/Kelvor
    bin/kelvor-cli
    lib/libQV6_UT.so
    lib/libQV6_EX.so
    lib/cmake/Kelvor/KelvorConfig.cmake
    lib/cmake/Kelvor/KelvorConfigVersion.cmake
    lib/cmake/Kelvor/KelvorTargets.cmake
    include/kelvor/qv6_ut_export.h
    include/kelvor/qv6_ex_export.h
    include/kelvor/text_helpers.h
    include/kelvor/ini_settings.h
    share/applications/kelvor.desktop
    share/mime/packages/kelvor.xml
    share/icons/hicolor/scalable/apps/kelvor.svg
    share/man/man1/kelvor-cli.1
    share/bash-completion/completions/kelvor-cli
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/kelvor.png")
done
for file in "${expected[@]}"; do
    [[ -s "$prefix/$file" ]] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    drawn="$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/kelvor.png")"
    [[ "$drawn" == "${size}x${size}" ]] || fail "the ${size}x${size} icon is $drawn"
done

# The programs and the second library find the libraries beside them, never in the build folder.
for binary in bin/Kelvor bin/kelvor-cli lib/libQV6_EX.so; do
    runpath="$(readelf -d "$prefix/$binary" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')"
    # shellcheck disable=SC2016 # the text $ORIGIN itself
    [[ "$runpath" == '$ORIGIN/../lib' ]] || fail "$binary has the RUNPATH \"$runpath\""
    while read -r library path; do
        [[ "$(realpath "$path")" == "$(realpath "$prefix/lib")/$library"* ]] ||
            fail "$binary loads $library from $path"
    done < <(ldd "$prefix/$binary" | awk '/libQV6_/ { print $1, $3 }')
done

version="$(cd "$work" && "$prefix/bin/kelvor-cli" --version)" || fail "the installed kelvor-cli --version failed"
[[ "$version" =~ ^Kelvor\ Version\ [0-9]+\.[0-9]+\.[0-9]+$ ]] ||
    fail "the installed kelvor-cli --version printed \"$version\""

# The installed Kelvor opens an example file, switches mode and closes (screenshots beside the
# build's own, in screenshots/installed).
(cd "$work" && bash "$source/tests/gui/kelvor_smoke.sh" "$prefix/bin/Kelvor" "$source/examples" \
    "$build/screenshots/installed") || fail "the installed Kelvor failed the smoke run"

# Another project links the installed libraries.
cmake -S "$source/tests/package/consumer" -B "$work/consumer" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >"$work/consumer.log" 2>&1 &&
    cmake --build "$work/consumer" >>"$work/consumer.log" 2>&1 ||
    { cat "$work/consumer.log" >&2; fail "a project using find_package(Kelvor) does not build"; }
printed="$("$work/consumer/kelvor_consumer")" || fail "the program linking the libraries failed"
[[ "$printed" == "QV6_UT|QV6_EX|96,96,512,224" ]] ||
    fail "the program linking the libraries printed \"$printed\""

echo "install_test: passed"
