#!/usr/bin/env bash
# Checks the Debian packages (scripts/package.sh deb) on a fresh Debian 12 root
# made with debootstrap: "apt-get install ./tavrel_*.deb" pulls in nothing but
# Debian's own packages, the installed /usr/bin/tavrel plays two whole games on
# an Xvfb display (the window end-to-end tests of the linux-e2e build, pointed
# at the program inside the root), and with libtavrel-dev installed the project
# in tests/consumer/project builds with find_package and with pkg-config alone.
# Needs root (debootstrap, chroot, bind mounts) and the linux-e2e build's
# window_e2e (cmake --preset linux-e2e && cmake --build --preset linux-e2e).
# The debootstrapped base and the downloaded packages are kept in
# build/package-check between runs; every run starts from a fresh copy.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$root/build/package-check
base=$work/base
fresh=$work/root
archives=$work/archives
mirror=${TAVREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
window_e2e=$root/build/linux-e2e/tests/e2e/window/window_e2e
[ "$(id -u)" -eq 0 ] || { echo "package-check.sh: run as root (debootstrap, chroot)" >&2; exit 1; }
"$root/scripts/deps.sh" package-check
[ -x "$window_e2e" ] || { echo "package-check.sh: build the linux-e2e preset first ($window_e2e)" >&2; exit 1; }
ls "$root"/build/packages/tavrel_*.deb "$root"/build/packages/libtavrel-dev_*.deb >/dev/null 2>&1 ||
  "$root/scripts/package.sh" deb
mkdir -p "$work" "$archives/partial"
started=$SECONDS
stage() { echo "== package-check: $* ($((SECONDS - started)) s)"; }

if [ ! -f "$base/.complete" ]; then
  stage "debootstrap bookworm from $mirror"
  rm -rf "$base"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$work/debootstrap.log"
  touch "$base/.complete"
fi

# Everything mounted inside the root is unmounted on every way out, before
# anything is deleted.
unmount_all() {
  local m
  for m in $(findmnt -rn -o TARGET | grep "^$fresh/" | sort -r); do umount -l "$m" 2>/dev/null || true; done
}
trap unmount_all EXIT
unmount_all
if findmnt -rn -o TARGET | grep -q "^$fresh/"; then echo "package-check.sh: $fresh still has mounts" >&2; exit 1; fi
rm -rf "$fresh"
stage "fresh root"
cp -a "$base" "$fresh"
for m in dev dev/pts proc tmp/.X11-unix; do mkdir -p "$fresh/$m"; done
mount --bind /dev "$fresh/dev"
mount --bind /dev/pts "$fresh/dev/pts"
mount -t proc proc "$fresh/proc"
mount --bind "$archives" "$fresh/var/cache/apt/archives"
mount --bind /tmp/.X11-unix "$fresh/tmp/.X11-unix"
cp /etc/resolv.conf "$fresh/etc/resolv.conf"
in_root() { chroot "$fresh" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }

stage "apt-get update"
in_root apt-get update -qq
mkdir -p "$fresh/packages"
cp "$root"/build/packages/tavrel_*.deb "$root"/build/packages/libtavrel-dev_*.deb "$fresh/packages/"

installed() { in_root dpkg-query -W -f '${Package}\n' | sort; }
installed >"$work/before.txt"
stage "apt-get install ./tavrel_*.deb"
in_root sh -c 'apt-get install -y -qq ./packages/tavrel_*.deb' >"$work/install-game.log"
installed >"$work/after.txt"
pulled=$(comm -13 "$work/before.txt" "$work/after.txt" | grep -vx tavrel || true)
echo "pulled in with tavrel: $(echo $pulled)"
# The root's only source is Debian's archive: each package pulled in must come from it.
for p in $pulled; do
  in_root apt-cache policy "$p" | grep -q "${mirror#*://}" ||
    { echo "package-check.sh: $p does not come from $mirror" >&2; exit 1; }
done
in_root test -x /usr/bin/tavrel

stage "two whole games on Xvfb"
cat >"$work/tavrel-in-root" <<WRAP
#!/bin/sh
exec chroot "$fresh" env -i PATH=/usr/bin:/bin HOME=/root TERM="\$TERM" DISPLAY="\$DISPLAY" /usr/bin/tavrel "\$@"
WRAP
chmod +x "$work/tavrel-in-root"
TAVREL_E2E_NATIVE="$work/tavrel-in-root" TAVREL_XVFB_SCREEN=1280x1024x24 \
  "$root/scripts/with-display.sh" "$window_e2e" \
  --gtest_filter='GameWindow.ComputerWinsAFullGame:GameWindow.PlayerWinsAFullGameWithTheBothOddStrategy'

stage "libtavrel-dev: find_package and pkg-config"
in_root sh -c 'apt-get install -y -qq ./packages/libtavrel-dev_*.deb cmake g++ pkg-config' >"$work/install-dev.log"
rm -rf "$fresh/consumer" && cp -r "$root/tests/consumer/project" "$fresh/consumer"
in_root sh -c 'cd /consumer && cmake -S . -B build >/dev/null && cmake --build build >/dev/null && test -x build/consumer'
echo "find_package(Tavrel): built"
in_root sh -c 'cd /consumer && g++ -std=c++20 -o consumer-pc consumer.cpp $(pkg-config --cflags --libs tavrel) && test -x consumer-pc'
echo "pkg-config tavrel: built ($(in_root pkg-config --cflags --libs tavrel))"
stage "passed"
