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

# The desktop program, with the data file to open when one is given. It needs a display; without
# one, run it under Xvfb (xvfb-run -a bash tools/run.sh [FILE]) or use build/bin/kelvor-cli.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    kelvor_error "no display: set DISPLAY, or start it as: xvfb-run -a bash tools/run.sh [FILE]"
    exit 1
fi
exec build/bin/Kelvor "$@"
