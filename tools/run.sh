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

# The program to run: the first of these the build produced.
PROGRAMS=(build/bin/kelvor-cli build/bin/Kelvor)

kelvor_install_packages
kelvor_build_main

for program in "${PROGRAMS[@]}"; do
    if [[ -x "$program" ]]; then
        exec "$program" "$@"
    fi
done
kelvor_log "The build finished; the program itself arrives in a later version."
