#!/usr/bin/env bash
# Makes the packages, in build/packages:
#   tavrel_VERSION_amd64.deb          the game (Debian 12's C/C++ and X libraries)
#   libtavrel-dev_VERSION_amd64.deb   headers, static library, CMake and
#                                     pkg-config files, the examples' sources
#   tavrel-VERSION-win64.zip          tavrel.exe, the OpenGL example, headers,
#                                     library, CMake files, README
#   tavrel-web-VERSION.zip            the web page's folder, for any static host
# Each from a release build of its own (build/package-linux, build/package-windows,
# and the web preset's build/web).
#   package.sh [deb|zip|web|all]     (default: all)
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/build/packages
what=${1:-all}
case "$what" in deb|zip|web|all) ;; *) echo "usage: $0 [deb|zip|web|all]" >&2; exit 2 ;; esac
if [ "$what" != web ]; then "$root/scripts/deps.sh" package; fi
if [ "$what" = web ] || [ "$what" = all ]; then "$root/scripts/deps.sh" web; fi
mkdir -p "$out"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Configures, builds and packs one build folder with one CPack generator.
pack() {
  local dir=$1 generator=$2
  shift 2
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTAVREL_TESTS=OFF "${launcher[@]}" "$@" >"$dir.configure.log"
  cmake --build "$dir" -j2
  (cd "$dir" && cpack -G "$generator" -B "$out")
}

# The page's files lie side by side at the top of the zip, index.html first.
pack_web() {
  local version page=$root/build/web/page
  version=$(sed -n 's/^project(tavrel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  (cd "$root" && NODE_PATH=${NODE_PATH:-/usr/share/nodejs} cmake --preset web >"$root/build/web.configure.log" &&
    NODE_PATH=${NODE_PATH:-/usr/share/nodejs} cmake --build --preset web --target tavrel)
  rm -f "$out/tavrel-web-$version.zip"
  (cd "$page" && python3 -m zipfile -c "$out/tavrel-web-$version.zip" index.html $(ls | grep -vx index.html))
}

mkdir -p "$root/build"
if [ "$what" = web ] || [ "$what" = all ]; then
  pack_web
fi
if [ "$what" = web ]; then
  ls -l "$out"
  exit 0
fi
if [ "$what" != zip ]; then
  pack "$root/build/package-linux" DEB -DTAVREL_REAL_PLATFORM=ON -DCMAKE_INSTALL_PREFIX=/usr
fi
if [ "$what" != deb ]; then
  pack "$root/build/package-windows" ZIP -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
fi
rm -rf "$out/_CPack_Packages"
ls -l "$out"
