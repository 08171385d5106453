#!/usr/bin/env bash
# Builds Quicktock and runs every test, without the right to set the clock: once in the normal
# build, the core's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, and
# once more as Windows programs under Wine (windows preset, cross-built with mingw-w64).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
for preset in default sanitize windows; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

# Wine runs quietly, without installer dialogs, in prefixes of the build folder (the usual one
# maps the window's faces to installed fonts, the other does not), made once here so that the
# first tests do not spend their time on them; a prefix that cannot be made ends the run here.
prefix="$PWD/build/windows/wineprefix"
WINEPREFIX=$prefix scripts/without-clock-right.sh scripts/wine-run.sh cmd /c exit 0
QUICKTOCK_WINE_FACES=unmapped WINEPREFIX=$prefix-unmapped \
    scripts/without-clock-right.sh scripts/wine-run.sh cmd /c exit 0

status=0
for preset in default sanitize windows; do
    echo "== $preset tests"
    scripts/without-clock-right.sh ctest --preset "$preset" -j "$jobs" || status=1
done

# Each fuzz target for a short while from its seed corpus, copied so the repository stays as it
# is; what the fuzzer adds to the corpus, or a crashing input, goes away with the copy once shown.
if command -v clang++ >/dev/null; then
    echo "== fuzz build"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j "$jobs"
    for target in NtpReply ParseNumber ProfileFunctions SettingsStartUp; do
        echo "== fuzz $target"
        work=$(mktemp -d)
        cp -r tests/fuzz/corpus/"$target" "$work"/corpus
        if (cd "$work" && "$OLDPWD"/scripts/without-clock-right.sh \
            "$OLDPWD"/build/fuzz/tests/fuzz/"${target}Fuzzer" -max_total_time=20 corpus >log 2>&1); then
            tail -n 1 "$work"/log
        else
            tail -n 40 "$work"/log
            status=1
        fi
        rm -rf "$work"
    done
fi
exit $status
