#!/usr/bin/env bash
# Builds Quicktock.exe (windows preset) and a minimal Win32 program with the same toolchain, then
# measures both under Wine on a private X desktop: size stripped, start to window shown, resident
# memory after ten seconds. Prints a table. Options go to bench/measure_windows.py (--runs N,
# --before an earlier commit's Quicktock.exe, --prefix a Wine prefix).
# Both programs run without the right to set the clock.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target Quicktock
cmake -S bench/minimal-win32 -B build/minimal-win32 -G Ninja \
    --toolchain "$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/minimal-win32 -j "$jobs"

exec scripts/without-clock-right.sh python3 bench/measure_windows.py \
    --quicktock build/windows/app/Quicktock.exe \
    --minimal build/minimal-win32/MinimalWin32Window.exe \
    --work build/measure-windows "$@"
