#!/usr/bin/env bash
# Release check of the Debian package: builds it, installs it with apt into a fresh Debian 12 root
# (a debootstrap minbase, or the tarball of one named by BASE_TAR), and there draws the example
# chart with vortan-cli, starts vortan offscreen until its window is up, and looks up the MIME
# type of a chart. Needs root and the network; not for every CI run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/vortan_*_amd64.deb | head -1)

root=$(mktemp -d /tmp/vortan-deb-check.XXXXXX)
cleanup() {
    umount "$root/dev" "$root/proc" 2>/dev/null || true
    # Only once nothing of the host is mounted inside any more.
    if ! grep -q " $root/" /proc/mounts; then rm -rf "$root"; fi
}
trap cleanup EXIT
if [ -n "${BASE_TAR:-}" ]; then
    tar -C "$root" -xf "$BASE_TAR"
else
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null
    debootstrap --variant=minbase bookworm "$root" >/dev/null
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/vortan.deb"
cp examples/run3-peaks.spl "$root/tmp/"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 chroot "$root" /bin/bash -ec '
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/vortan.deb >/tmp/apt.log 2>&1 ||
        { tail -20 /tmp/apt.log; exit 1; }
    cd /tmp
    vortan-cli render run3-peaks.spl chart.svg
    grep -q "<polyline" chart.svg
    QT_QPA_PLATFORM=offscreen timeout 60 vortan --screenshot=/tmp/shot.png run3-peaks.spl \
        >/dev/null 2>&1
    test -s /tmp/shot.png
    grep -q "application/x-vortan-spl:\*.spl" /usr/share/mime/globs2
    grep -q "x-vortan-spl=vortan.desktop" /usr/share/applications/mimeinfo.cache
    test -f /usr/share/icons/hicolor/48x48/apps/vortan.png
    test -f /usr/share/man/man1/vortan-cli.1.gz
'
echo "$deb installs and starts on a fresh Debian 12."
