#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix private to the build folder that holds it (or
# $WINEPREFIX when set), quietly and without the Mono and Gecko installer dialogs. The prefix is
# made once, under a lock, so that tests started in parallel do not each try to make it; it maps
# the window's Windows face names to installed fonts, without which Wine draws boxes.
set -euo pipefail
program=$1
shift
if [ -z "${WINEPREFIX:-}" ]; then
    build=$(cd "$(dirname "$program")" && pwd)
    while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do
        build=$(dirname "$build")
    done
    [ "$build" = / ] && build=$(cd "$(dirname "$program")" && pwd)
    export WINEPREFIX="$build/wineprefix"
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/.quicktock-ready" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.quicktock-ready" ]; then
            wineboot -i >/dev/null 2>&1 || true
            fonts="$WINEPREFIX/fonts.reg"
            printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
                '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
                '"MS UI Gothic"="IPAPGothic"' \
                '"ＭＳ Ｐゴシック"="IPAPGothic"' \
                '"ＭＳ ゴシック"="IPAGothic"' \
                iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$fonts"
            wine regedit /S "$fonts" >/dev/null 2>&1 || true
            wineserver -w
            touch "$WINEPREFIX/.quicktock-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec wine "$program" "$@"
