#!/usr/bin/env bash
# Makes the packages, in build/packages:
#   tavrel_VERSION_amd64.deb          the game (Debian 12's C/C++ and X libraries)
#   libtavrel-dev_VERSION_amd64.deb   headers, static library, CMake and
#                                     pkg-config files, the examples' sources
#   tavrel-VERSION-win64.zip          tavrel.exe, the OpenGL example, headers,
#                                     library, CMake files, README
# Each from a release build of its own (build/package-linux, build/package-windows).
#   package.sh [deb|zip|all]     (default: all)
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/build/packages
what=${1:-all}
case "$what" in deb|zip|all) ;; *) echo "usage: $0 [deb|zip|all]" >&2; exit 2 ;; esac
"$root/scripts/deps.sh" package
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

mkdir -p "$root/build"
if [ "$what" != zip ]; then
  pack "$root/build/package-linux" DEB -DTAVREL_REAL_PLATFORM=ON -DCMAKE_INSTALL_PREFIX=/usr
fi
if [ "$what" != deb ]; then
  pack "$root/build/package-windows" ZIP -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
fi
rm -rf "$out/_CPack_Packages"
ls -l "$out"
