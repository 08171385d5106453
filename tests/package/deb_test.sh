#!/usr/bin/env bash
# The Debian package as its users get it. Usage: deb_test.sh contents|install DEB. contents: its
# metadata and files, lintian, appstreamcli. install: installed, removed and purged in a throwaway
# root, the host's root under an overlay on a tmpfs of a private mount namespace, entered with
# chroot, so that the host's packages, groups and files stay as they are. Exit code 0 passed, 1
# failed, 77 skipped.
set -euo pipefail
fail() { echo "FAILED: $*" >&2; exit 1; }
case_name=$1 deb=$(realpath "$2")

if [ "$case_name" = contents ]; then
    dpkg-deb -f "$deb" Depends | grep -q 'adduser, .*libqt6widgets6' || fail "computed Depends"
    # Exactly these files: the program as built (the maintainer script gives its owner and mode).
    diff <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $2, $6}') - <<'EOF' || fail "contents"
-rwxr-xr-x root/root ./usr/bin/quicktock
-rw-r--r-- root/root ./usr/share/applications/quicktock.desktop
-rw-r--r-- root/root ./usr/share/doc/quicktock/changelog.Debian.gz
-rw-r--r-- root/root ./usr/share/doc/quicktock/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/quicktock.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/quicktock.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/quicktock.svg
-rw-r--r-- root/root ./usr/share/man/man1/quicktock.1.gz
-rw-r--r-- root/root ./usr/share/metainfo/org.quicktock.Quicktock.metainfo.xml
EOF
    # Not for Debian's archive: its first version closes no bug that asked for it.
    lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" ||
        fail "lintian"
    work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
    dpkg-deb -x "$deb" "$work"
    appstreamcli validate --no-net "$work"/usr/share/metainfo/*.metainfo.xml || fail "metainfo"
    echo passed
    exit 0
fi

[ "$(id -u)" = 0 ] || { echo "skipped: installing needs root"; exit 77; }
grep -qw overlay /proc/filesystems || modprobe overlay 2>/dev/null ||
    { echo "skipped: needs overlayfs"; exit 77; }
getent group quicktock >/dev/null && { echo "skipped: a group quicktock exists here"; exit 77; }

# Run once more in a private mount namespace, without the right to set the clock in any case; the
# folder it mounts on is left empty, and removed here.
if [ -z "${QUICKTOCK_THROWAWAY:-}" ]; then
    top=$(mktemp -d) && trap 'rmdir "$top"' EXIT
    QUICKTOCK_THROWAWAY=$top HOST_NAMESPACE=$(readlink /proc/self/ns/mnt) \
        unshare --mount --propagation private -- \
        setpriv --bounding-set=-sys_time --inh-caps=-sys_time -- bash "$0" "$@"
    getent group quicktock >/dev/null && fail "the test left a group quicktock on this machine"
    exit 0
fi
top=$QUICKTOCK_THROWAWAY
[ "$(readlink /proc/self/ns/mnt)" != "$HOST_NAMESPACE" ] || fail "no mount namespace of its own"
mount -t tmpfs throwaway "$top"
mkdir "$top"/upper "$top"/work "$top"/root
mount -t overlay throwaway -o lowerdir=/,upperdir="$top"/upper,workdir="$top"/work "$top"/root
mount -t proc proc "$top"/root/proc
touch "$top"/root/dev/null && mount --bind /dev/null "$top"/root/dev/null
marker=throwaway-$$-$RANDOM
touch "$top/root/$marker" && [ ! -e "/$marker" ] || fail "the overlay is not separate from /"
cp "$deb" "$top"/root/tmp/quicktock.deb

chroot "$top"/root /usr/bin/env -i PATH=/usr/local/sbin:/usr/sbin:/usr/bin:/sbin:/bin \
    MARKER="$marker" /bin/bash -s <<'EOF'
set -euo pipefail
fail() { echo "FAILED: $*" >&2; exit 1; }
[ -e "/$MARKER" ] && [ "$(stat -f -c %T /)" = overlayfs ] || fail "not inside the throwaway root"
program=/usr/bin/quicktock
files=$(dpkg-deb -c /tmp/quicktock.deb | awk '$1 !~ /^d/ {print substr($6, 2)}')

# Where setcap fails, the install says how to grant the right by hand, and succeeds.
printf '#!/bin/sh\nexit 1\n' >/usr/local/sbin/setcap && chmod +x /usr/local/sbin/setcap
dpkg -i /tmp/quicktock.deb >/tmp/log 2>&1 || { cat /tmp/log; fail "install without setcap"; }
grep -q "sudo setcap cap_sys_time+ep $program" /tmp/log || fail "no advice: $(cat /tmp/log)"
[ -z "$(getcap "$program")" ] || fail "a capability although setcap failed"
rm /usr/local/sbin/setcap
dpkg -i /tmp/quicktock.deb >/tmp/log 2>&1 || { cat /tmp/log; fail "install"; }
mode=$(stat -c '%U:%G %a' "$program") && [ "$mode" = "root:quicktock 750" ] || fail "$mode"
getcap "$program" | grep -q 'cap_sys_time=ep' || fail "capability: $(getcap "$program")"

# Outside the group the shell says "Permission denied"; a member passes that check, but without
# cap_sys_time in the bounding set the kernel refuses to start the file. A copy has no capability.
gid=$(getent group quicktock | cut -d: -f3)
as_nobody=(setpriv --reuid=65534 --regid=65534)
out=$("${as_nobody[@]}" --clear-groups sh -c "$program --version" 2>&1) && fail "nobody started it"
[[ $out == *"Permission denied"* ]] || fail "outside the group: $out"
out=$("${as_nobody[@]}" --groups="$gid" sh -c "$program --version" 2>&1) && fail "it started"
[[ $out == *"Operation not permitted"* ]] || fail "a member: $out"
cp "$program" /tmp/copy
version=$(dpkg-query -W -f='${source:Upstream-Version}' quicktock)
[ "$(/tmp/copy --version)" = "Quicktock $version" ] || fail "the copy's --version"
/tmp/copy --help | grep -q "setcap cap_sys_time+ep $program" || fail "not built for $program"

# Removal takes the files away and keeps the group; purging removes the group.
dpkg -r quicktock >/tmp/log 2>&1 || { cat /tmp/log; fail "remove"; }
for file in $files; do [ ! -e "$file" ] || fail "$file left after removal"; done
getent group quicktock >/dev/null || fail "removal took the group away"
dpkg -P quicktock >/tmp/log 2>&1 || { cat /tmp/log; fail "purge"; }
! getent group quicktock >/dev/null || fail "the group quicktock is left after purging"
EOF
echo passed
