#!/usr/bin/env bash
# Sets up the machine (missing Debian packages), builds build/ and runs the program:
#
#   sudo bash tools/run.sh [FILE]      (or as root: bash tools/run.sh [FILE])
#
# The arguments go to the program.
set -euo pipefail

# shellcheck source=tools/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$KELVOR_ROOT"

kelvor_install_packages
kelvor_build_main

# Until the main window exists, the program is the command-line tool: without arguments it checks
# every example; with a command it runs that; with files it checks them and dumps the first.
cli=build/bin/kelvor-cli
if [[ $# -eq 0 ]]; then
    mapfile -t examples < <(find examples -type f | sort)
    exec "$cli" check "${examples[@]}"
fi
case "$1" in
    check | dump | convert | help | --help | -h | --version)
        exec "$cli" "$@"
        ;;
esac
"$cli" check "$@" || exit $?
exec "$cli" dump "$1"
