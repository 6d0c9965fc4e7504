#!/bin/bash
# Every benchmark, each against its baseline measured in the same run; prints the figures and ratios.
# Usage: bash bench/run.sh [build folder, default ./build]
# Needs a build with the GUI and the tests (the default), built and installed:
#   cmake -S . -B build && cmake --build build -j2 && cmake --install build
# Timings are only comparable on an otherwise idle machine.
set -u
BUILD=$(cd "${1:-build}" && pwd) || exit 1
status=0

run() {
    local name=$1
    shift
    echo
    echo "== $name"
    if ! command -v "$1" >/dev/null; then
        echo "   not built: $1"
        status=1
        return
    fi
    "$@" || { echo "   $name failed"; status=1; }
}

run "Download and install, 256 MiB package (Ferrodock unverified and verified vs curl + tar)" "$BUILD/bench/ferrodock/bench_ferrodock"
run "Download and install, 50 x 100 KiB at once (Ferrodock vs 50 sequential curl + tar)" \
    "$BUILD/bench/ferrodock/bench_ferrodock_small"
run "Request round trip" "$BUILD/bench/roundtrip/bench_roundtrip"
run "GUI responsiveness (3 downloads and a download-path move)" \
    "$BUILD/bench/responsiveness/bench_responsiveness"
run "Start-up and memory" bash "$(dirname "$0")/startup/startup.sh" "$BUILD/RigWarden" \
    "$BUILD/bench/startup/bench_bare_window" "$BUILD/bench/market/bench_market"
run "Market page with 20000 tools (search keystroke, scrolling)" "$BUILD/bench/market/bench_market"
exit $status
