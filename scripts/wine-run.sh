#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix private to the build folder that holds it (or
# $WINEPREFIX when set), quietly and without the Mono and Gecko installer dialogs. The prefix is
# made once, under a lock, so that tests started in parallel do not each try to make it.
#
# The prefix maps the window's Windows face names to installed fonts, as a Japanese Windows has
# them. QUICKTOCK_WINE_FACES=unmapped makes and uses a prefix without that mapping instead
# (wineprefix-unmapped beside the usual one), a machine that lacks the named faces. A set-up that
# fails, or a prefix that does not hold what was asked, ends the run with the reason.
set -euo pipefail
program=$1
shift
faces=${QUICKTOCK_WINE_FACES:-mapped}
case $faces in
    mapped) suffix= ;;
    unmapped) suffix=-unmapped ;;
    *) echo "wine-run.sh: QUICKTOCK_WINE_FACES is mapped or unmapped, not '$faces'" >&2; exit 2 ;;
esac
if [ -z "${WINEPREFIX:-}" ]; then
    build=$(cd "$(dirname "$program")" && pwd)
    while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do
        build=$(dirname "$build")
    done
    [ "$build" = / ] && build=$(cd "$(dirname "$program")" && pwd)
    export WINEPREFIX="$build/wineprefix$suffix"
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

key='HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements'
# Each face the window names, and the installed font that stands in for it.
replacements=(
    '"MS UI Gothic"="IPAPGothic"'
    '"ＭＳ Ｐゴシック"="IPAPGothic"'
    '"ＭＳ ゴシック"="IPAGothic"'
)
ready="$WINEPREFIX/.quicktock-faces"

fail() {
    echo "wine-run.sh: $WINEPREFIX: $*" >&2
    exit 1
}

# The replacements the prefix holds, one a line as written above.
replacements_in_prefix() {
    local exported="$WINEPREFIX/replacements.reg"
    rm -f "$exported"
    wine reg export "$key" "$exported" /y >/dev/null 2>&1 || return 0  # no such key
    iconv -f UTF-16 -t UTF-8 "$exported" | tr -d '\r' | grep '^"' || true
}

set_up() {
    wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 ||
        fail "wineboot failed: $(tail -n 5 "$WINEPREFIX/wineboot.log")"
    if [ "$faces" = mapped ]; then
        for font in IPAPGothic IPAGothic; do
            fc-list -q "$font" || fail "the font $font is not installed (fonts-ipafont-gothic)"
        done
        local file="$WINEPREFIX/fonts.reg"
        printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' "[$key]" "${replacements[@]}" |
            iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$file"
        # regedit reports nothing, even for a file it cannot read: the check below does.
        wine regedit /S "$file" >/dev/null 2>&1 || fail "regedit refused $file"
    fi
    wineserver -w
    local held
    held=$(replacements_in_prefix)
    if [ "$faces" = mapped ]; then
        for replacement in "${replacements[@]}"; do
            grep -qxF "$replacement" <<<"$held" || fail "the face mapping $replacement is missing"
        done
    elif [ -n "$held" ]; then
        fail "asked for a prefix without face mapping, but it maps: $held"
    fi
    echo "$faces" >"$ready"
}

if [ "$(cat "$ready" 2>/dev/null)" != "$faces" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ "$(cat "$ready" 2>/dev/null)" != "$faces" ]; then
            set_up
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# Now and then a program's connection to the Wine server is reset as it starts, the server going
# away just then ("wine client error"), before the program has run a line: it is started once more.
errors=$(mktemp "$WINEPREFIX/stderr.XXXXXX")
trap 'rm -f "$errors"' EXIT
for _ in 1 2; do
    status=0
    wine "$program" "$@" 2>"$errors" || status=$?
    cat "$errors" >&2
    if [ "$status" -eq 0 ] || ! grep -q '^wine client error' "$errors"; then
        break
    fi
    echo "wine-run.sh: the Wine server went away as $program started; starting it again" >&2
done
exit "$status"
