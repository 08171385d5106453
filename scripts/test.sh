#!/usr/bin/env bash
# Builds Quicktock and runs every test, without the right to set the clock: once in the normal
# build, and the core's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
for preset in default sanitize; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

status=0
for preset in default sanitize; do
    echo "== $preset tests"
    scripts/without-clock-right.sh ctest --preset "$preset" -j "$jobs" || status=1
done
exit $status
