#!/usr/bin/env bash
# Builds Kelvor and runs every test: the unit tests of the main build, the same tests built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets for a bounded time.
#
#   sudo bash tools/test-all.sh      (or as root: bash tools/test-all.sh)
#
# Stages: install (missing Debian packages), main (build/), asan (build-asan/), fuzz
# (build-fuzz/). Every stage runs even when an earlier build or test stage failed, so one run
# reports everything; the closing line is always "kelvor: N passed, M failed", counting the
# CTest tests of all stages (a stage that fails before its tests run counts as one failure).
#
# For local use:
#   KELVOR_SKIP_INSTALL=1  KELVOR_SKIP_MAIN=1  KELVOR_SKIP_ASAN=1  KELVOR_SKIP_FUZZ=1
#                          skip that stage
#   KELVOR_FUZZ_SECONDS=N  seconds each fuzz target runs (default 20)
#   KELVOR_JOBS=N          parallel build jobs (default 2)
set -euo pipefail

# shellcheck source=tools/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$KELVOR_ROOT"

export KELVOR_FUZZ_SECONDS="${KELVOR_FUZZ_SECONDS:-20}"
# Longest a single test may run before CTest stops it.
TEST_TIMEOUT=600
FUZZ_TEST_TIMEOUT=$((KELVOR_FUZZ_SECONDS + 300))

WORK_DIR="$(mktemp -d "${TMPDIR:-/tmp}/kelvor-test-all.XXXXXX")"
trap 'rm -rf "$WORK_DIR"' EXIT
# One line per stage: name, status (ok/FAILED/skipped), seconds, tests passed, tests failed.
RESULTS="$WORK_DIR/results"
: >"$RESULTS"

# Qt tests run without a display; Qt wants a private runtime folder.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$WORK_DIR/runtime}"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Runs CTest in build folder $1 (further arguments go to CTest) and records how many tests
# passed and failed for stage $STAGE. Returns CTest's status.
run_ctest() {
    local dir="$1"
    shift
    local log="$WORK_DIR/ctest-$STAGE.log"
    local status=0
    ctest --test-dir "$dir" --output-on-failure --no-tests=error --timeout "$TEST_TIMEOUT" \
        "$@" 2>&1 | tee "$log" || status=$?

    # "95% tests passed, 1 tests failed out of 20"
    local summary total failed
    summary="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" |
        tail -n 1 || true)"
    if [[ -n "$summary" ]]; then
        failed="$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$summary")"
        total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")"
        echo "$((total - failed)) $failed" >"$WORK_DIR/counts-$STAGE"
    fi
    return "$status"
}

stage_install() {
    kelvor_install_packages
}

stage_main() {
    kelvor_build_main
    run_ctest build
}

stage_asan() {
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export LSAN_OPTIONS="print_suppressions=0"
    cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=g++ \
        -DKELVOR_SANITIZE=ON -DKELVOR_FUZZ=OFF -DKELVOR_BUILD_GUI=OFF -DKELVOR_BUILD_TESTS=ON
    cmake --build build-asan -j "$KELVOR_JOBS"
    run_ctest build-asan
}

stage_fuzz() {
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DKELVOR_FUZZ=ON -DKELVOR_SANITIZE=OFF -DKELVOR_BUILD_GUI=OFF -DKELVOR_BUILD_TESTS=ON
    cmake --build build-fuzz -j "$KELVOR_JOBS"
    kelvor_log "Running each fuzz target for ${KELVOR_FUZZ_SECONDS} s"
    TEST_TIMEOUT="$FUZZ_TEST_TIMEOUT" run_ctest build-fuzz
}

# Runs stage function stage_$1 unless KELVOR_SKIP_<NAME>=1, timing it and recording the result;
# STAGE_STATUS is then 0 or the stage's failing status. The stage runs in a subshell with errexit
# on, so its first failing command ends it. (run_stage itself must not be called as a condition:
# bash ignores errexit in everything a condition runs.)
STAGE_STATUS=0
run_stage() {
    local name="$1"
    local skip_var="KELVOR_SKIP_${name^^}"
    if [[ "${!skip_var:-0}" == "1" ]]; then
        kelvor_log "Stage $name: skipped ($skip_var=1)"
        echo "$name skipped 0 0 0" >>"$RESULTS"
        STAGE_STATUS=0
        return 0
    fi
    kelvor_log "Stage $name"
    local start=$SECONDS status=0
    set +e
    (
        set -euo pipefail
        STAGE="$name"
        "stage_$name"
    )
    status=$?
    set -e
    STAGE_STATUS=$status
    local seconds=$((SECONDS - start)) passed=0 failed=0
    if [[ -f "$WORK_DIR/counts-$name" ]]; then
        read -r passed failed <"$WORK_DIR/counts-$name"
    fi
    if ((status != 0)); then
        # A stage that failed before CTest reported anything counts as one failure.
        if ((failed == 0)); then
            failed=1
        fi
        kelvor_log "Stage $name FAILED (status $status) after ${seconds} s"
        echo "$name FAILED $seconds $passed $failed" >>"$RESULTS"
        return 0
    fi
    kelvor_log "Stage $name finished in ${seconds} s"
    echo "$name ok $seconds $passed $failed" >>"$RESULTS"
}

print_summary() {
    local name status seconds passed failed total_passed=0 total_failed=0
    local failed_stages=()
    echo
    echo "Stage     Result   Time    Passed  Failed"
    while read -r name status seconds passed failed; do
        printf '%-9s %-8s %5ss  %6s  %6s\n' "$name" "$status" "$seconds" "$passed" "$failed"
        total_passed=$((total_passed + passed))
        total_failed=$((total_failed + failed))
        if [[ "$status" == "FAILED" ]]; then
            failed_stages+=("$name")
        fi
    done <"$RESULTS"
    if ((${#failed_stages[@]} > 0)); then
        echo "Failed stages: ${failed_stages[*]} (see the output above)"
    fi
    echo "kelvor: $total_passed passed, $total_failed failed"
    ((${#failed_stages[@]} == 0))
}

main() {
    run_stage install
    if ((STAGE_STATUS == 0)); then
        run_stage main
        run_stage asan
        run_stage fuzz
    else
        kelvor_log "Nothing can be built without the packages; stopping"
    fi
    print_summary
}

main "$@"
