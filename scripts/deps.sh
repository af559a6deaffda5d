#!/usr/bin/env bash
# Makes sure the Debian packages a task needs are installed: installs the missing
# ones when run as root, otherwise prints the one apt-get line to run and fails.
# Usage: deps.sh build|test|play|linux|web|bench|native-bench|fuzz|package|package-check
# (linux: what the native game alone needs; web: what the web page's build and
# its browser tests need; native-bench: the test packages and
# strace; package: what scripts/package.sh needs; package-check: what
# scripts/package-check.sh needs besides the test packages)
set -eu
build_pkgs="cmake make g++ tmux python3 pkg-config libx11-dev libxext-dev g++-mingw-w64-x86-64 googletest libgtest-dev libgmock-dev"
wine_pkgs="wine wine64 xvfb xdotool imagemagick x11-utils libxrender1 libxi6 libxcursor1 libxrandr2 \
libxinerama1 libxcomposite1 libxxf86vm1 libgl1 libgl1-mesa-dri libglx-mesa0 libgl-dev libx11-dev libxtst-dev"
# npm comes with some Node.js packages (NodeSource's); Debian's own is separate.
web_pkgs="emscripten chromium nodejs"
command -v npm >/dev/null 2>&1 || web_pkgs="$web_pkgs npm"
case "${1:-test}" in
  build) wanted="$build_pkgs" ;;
  linux) wanted="cmake make g++ libx11-dev libxext-dev" ;;
  play) wanted="$build_pkgs $wine_pkgs" ;;
  test) wanted="$build_pkgs $wine_pkgs doxygen $web_pkgs" ;;
  web) wanted="$web_pkgs python3" ;;
  native-bench) wanted="$build_pkgs $wine_pkgs strace" ;;
  bench) wanted="$build_pkgs libbenchmark-dev libpixman-1-dev libsdl2-dev pkg-config python3" ;;
  fuzz) wanted="clang libclang-rt-14-dev" ;;
  package) wanted="cmake make g++ libx11-dev libxext-dev g++-mingw-w64-x86-64 dpkg-dev file" ;;
  package-check) wanted="$build_pkgs $wine_pkgs dpkg-dev file debootstrap" ;;
  *) echo "usage: $0 build|test|play|linux|web|bench|native-bench|fuzz|package|package-check" >&2; exit 2 ;;
esac
missing=""
for p in $wanted; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y$missing" >&2
  exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq $missing >/dev/null
