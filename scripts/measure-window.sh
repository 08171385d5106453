#!/usr/bin/env bash
# Builds Quicktock, the clock shim and a minimal Qt program, then measures both programs on a
# private X desktop (start to window mapped, memory, idle processor time) and Quicktock's clock
# minutes per real minute in both variants, idle and with every core busy. Prints a table; takes
# about seven minutes. Options are passed on to bench/measure_window.py (--help lists them);
# "--counted-minutes 10" instead accelerates for ten real minutes with every core busy and
# compares the counted real time with the true time.
# Every program runs with the clock shim preloaded and without the right to set the clock.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs" --target quicktock quicktock_clock_shim
cmake -S bench/minimal-qt -B build/minimal-qt -G Ninja >/dev/null
cmake --build build/minimal-qt -j "$jobs"

exec python3 bench/measure_window.py \
    --quicktock build/default/app/quicktock \
    --minimal build/minimal-qt/minimal_qt_window \
    --shim build/default/tests/libquicktock_clock_shim.so \
    --work build/measure-window "$@"
