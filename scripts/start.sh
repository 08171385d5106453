#!/usr/bin/env bash
# Builds Quicktock and starts it.
#
# It always starts without the right to set the clock, so that trying it out never moves this
# machine's clock: ">>" then shows a message saying how to grant the right. When the built
# binary carries a capability (the kernel refuses to start such a file without it), a copy
# without one is started instead.
#
# Without a display it runs Quicktock on a private virtual display for a few seconds, saves a
# screenshot of its window and prints its path. A program that does not start, or a window that
# never shows, ends the script with a non-zero status and the reason.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target quicktock
binary=build/default/app/quicktock
program=$binary

capabilities=$(getcap "$binary" 2>/dev/null || true)
if [ -n "$capabilities" ]; then
    program=build/default/without-right/quicktock
    mkdir -p "$(dirname "$program")"
    cp "$binary" "$program" # a plain copy carries no capability
    echo "$binary carries a capability (${capabilities#"$binary" }): starting a copy without it,"
    echo "$program, which keeps its own settings beside it."
    echo "To let Quicktock set the clock, start the binary itself: $binary"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    status=0
    scripts/without-clock-right.sh "$program" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "Quicktock ended with status $status" >&2
    fi
    exit "$status"
fi

display=:$((50 + RANDOM % 400))
shot="$PWD/build/default/quicktock-screenshot.png"
log="$PWD/build/default/quicktock-start.log"
rm -f "$shot"
Xvfb "$display" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
wm=
trap 'kill $app $wm $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1
DISPLAY=$display scripts/without-clock-right.sh "$program" >"$log" 2>&1 &
app=$!
window=
for _ in $(seq 100); do
    if ! kill -0 "$app" 2>/dev/null; then
        status=0
        wait "$app" || status=$?
        echo "Quicktock did not start (status $status):" >&2
        cat "$log" >&2
        exit 1
    fi
    window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "Quicktock started but its window did not show within 10 s:" >&2
    cat "$log" >&2
    exit 1
fi
sleep 2 # the first tick fills in the clock
# The desktop is empty but for the window: trim the screenshot to it.
DISPLAY=$display import -window root "$shot"
convert "$shot" -trim +repage "$shot"
echo "No display: Quicktock ran on the virtual display $display for a few seconds."
echo "Screenshot ($(identify -format '%wx%h' "$shot") pixels): $shot"
