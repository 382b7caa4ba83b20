# shellcheck shell=bash
# Shared by tools/test-all.sh and tools/run.sh (sourced, not run).
#
# Provides the package list, the installer and the configure-and-build step of the main build,
# so that both scripts set up the machine and the build/ folder in exactly the same way.

# The repository root: the parent of the folder this file is in.
KELVOR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Parallel build jobs; the reference machine has two cores.
KELVOR_JOBS="${KELVOR_JOBS:-2}"

# Debian 12 packages the build, the tests, the sanitizer build and the fuzz build need.
KELVOR_PACKAGES=(
    cmake
    ninja-build
    g++
    qt6-base-dev
    qt6-svg-dev
    libcurl4-openssl-dev
    nlohmann-json3-dev
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    xvfb
    xauth
    x11-utils
    xdotool
    imagemagick
    fonts-dejavu-core
    clang
    libclang-rt-14-dev
    python3
    # Icons drawn at build time, the install and package tests, the desktop entry and MIME types.
    librsvg2-bin
    dpkg-dev
    desktop-file-utils
    libxml2-utils
    shared-mime-info
    xdg-utils
    libglib2.0-bin
    # script, which the command-line tests use for a terminal.
    bsdutils
)

kelvor_log() {
    printf '==> %s\n' "$*"
}

kelvor_error() {
    printf 'kelvor: error: %s\n' "$*" >&2
}

# Prints the packages of the list that are not installed, one a line.
kelvor_missing_packages() {
    local package status
    for package in "${KELVOR_PACKAGES[@]}"; do
        status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)"
        if [[ "$status" != "installed" ]]; then
            printf '%s\n' "$package"
        fi
    done
}

# Installs whatever of the list is missing; does nothing (and needs no root) when all is there.
kelvor_install_packages() {
    if ! command -v dpkg-query >/dev/null 2>&1; then
        kelvor_error "dpkg-query not found: these scripts set up Debian 12 machines only"
        return 1
    fi
    local missing
    mapfile -t missing < <(kelvor_missing_packages)
    if ((${#missing[@]} == 0)); then
        kelvor_log "All ${#KELVOR_PACKAGES[@]} packages are installed"
        return 0
    fi
    kelvor_log "Missing packages: ${missing[*]}"
    if ((EUID != 0)); then
        kelvor_error "installing packages needs root; run this script with sudo, or install them:"
        kelvor_error "  apt-get install -y --no-install-recommends ${missing[*]}"
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures and builds the main build in build/ (all targets, tests included).
kelvor_build_main() {
    cmake -S "$KELVOR_ROOT" -B "$KELVOR_ROOT/build" -G Ninja \
        -DKELVOR_BUILD_GUI=ON -DKELVOR_BUILD_TESTS=ON \
        -DKELVOR_SANITIZE=OFF -DKELVOR_FUZZ=OFF
    cmake --build "$KELVOR_ROOT/build" -j "$KELVOR_JOBS"
}
