#!/usr/bin/env bash
# A project outside the tree built against the runtime as a programmer would,
# then run on the X display (DISPLAY) and its window compared, pixel for pixel,
# with the framebuffer it wrote out (project/consumer.cpp):
#   consumer_test.sh cmake      BUILD WORK   find_package against cmake --install of BUILD
#   consumer_test.sh pkg-config BUILD WORK   g++ with pkg-config --cflags --libs tavrel alone
#   consumer_test.sh subdir     SOURCE WORK  add_subdirectory of a clean copy of SOURCE
#   consumer_test.sh windows    BUILD WORK   find_package against the windows build's
#                                            install, mingw-w64, run under Wine
# X11 tools (x11_grab) are found through TAVREL_X11_TOOLS.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -eq 3 ] || { echo "usage: $0 cmake|pkg-config|subdir|windows BUILD_OR_SOURCE WORK" >&2; exit 2; }
how=$1 work=$3
from=$(cd "$2" && pwd) || exit 1
grab=$(cd "${TAVREL_X11_TOOLS:?the folder of x11_grab}" && pwd)/x11_grab
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

fail() { echo "consumer_test ($how): $*" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# Polls a condition (a command) every 0.1 s for at most $1 seconds.
wait_for() {
  local limit=$1; shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

window_matches() {
  "$grab" --ppm "$X" "$Y" "$WIDTH" "$HEIGHT" >window.ppm 2>/dev/null && cmp -s window.ppm framebuffer.ppm
}

program_ended() { ! kill -0 "$pid" 2>/dev/null; }

# Presses a key in the window until the program ends: the first press may come
# before the window has the focus.
press_until_ended() {
  local deadline=$((SECONDS + 20))
  until program_ended; do
    [ $SECONDS -lt $deadline ] || return 1
    xdotool mousemove --window "$window" 5 5 key space 2>/dev/null
    wait_for 1 program_ended && break
  done
}

# Runs the program (the command line given), compares its window with its
# framebuffer, ends it with a key and checks its exit status.
run_and_compare() {
  "$@" framebuffer.ppm >program.log 2>&1 &
  pid=$!
  wait_for 60 eval 'test -s framebuffer.ppm || program_ended' && test -s framebuffer.ppm ||
    { cat program.log >&2; fail "no framebuffer written"; }
  wait_for 20 eval 'window=$(xdotool search --name "^tavrel consumer$" 2>/dev/null | head -n 1); [ -n "$window" ]' ||
    fail "no window named \"tavrel consumer\""
  wait_for 20 eval 'eval "$(xdotool getwindowgeometry --shell "$window")"; [ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ]' ||
    fail "the window is not 640x480"
  if ! wait_for 20 window_matches; then
    echo "bytes that differ: $(cmp -l window.ppm framebuffer.ppm | wc -l)" >&2
    kill "$pid" 2>/dev/null
    fail "the window at $X,$Y differs from the framebuffer (see $work/window.ppm)"
  fi
  press_until_ended || { kill "$pid"; fail "the program did not end on a key"; }
  wait "$pid"
  local status=$?
  [ $status -eq 0 ] || { cat program.log >&2; fail "exit status $status"; }
  echo "consumer_test ($how): the window equals the framebuffer, exit status 0"
}

case "$how" in
  cmake)
    cmake --install "$from" --prefix "$work/prefix" >install.log || fail "cmake --install failed"
    cmake -S "$here/project" -B build -DCMAKE_PREFIX_PATH="$work/prefix" "${launcher[@]}" >configure.log ||
      fail "configure against the install failed"
    cmake --build build >build.log || { cat build.log >&2; fail "build failed"; }
    run_and_compare build/consumer
    ;;
  pkg-config)
    cmake --install "$from" --prefix "$work/prefix" >install.log || fail "cmake --install failed"
    flags=$(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig" pkg-config --cflags --libs tavrel) ||
      fail "pkg-config does not know tavrel"
    # shellcheck disable=SC2086
    g++ -std=c++20 -o consumer "$here/project/consumer.cpp" $flags || fail "g++ $flags failed"
    run_and_compare ./consumer
    ;;
  subdir)
    # The files git knows, as a clone has them, with today's edits; from a
    # tree outside git, everything but its builds.
    mkdir tavrel
    if [ "$(git -C "$from" rev-parse --show-toplevel 2>/dev/null)" = "$from" ]; then
      (cd "$from" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar cf -)
    else
      tar cf - -C "$from" --exclude=./build --exclude=./.git .
    fi | tar xf - -C tavrel || fail "cannot copy the tree"
    cmake -S "$here/project" -B build -DTAVREL_SOURCE="$work/tavrel" -DCMAKE_BUILD_TYPE=Release \
      "${launcher[@]}" >configure.log || fail "configure with add_subdirectory failed"
    cmake --build build -j2 >build.log || { tail -20 build.log >&2; fail "build failed"; }
    run_and_compare build/consumer
    ;;
  windows)
    [ -f "$from/CMakeCache.txt" ] || fail "no windows build in $from (cmake --preset windows)"
    cmake --install "$from" --prefix "$work/prefix" >install.log || fail "cmake --install of the windows build failed"
    cmake -S "$here/project" -B build -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_FIND_ROOT_PATH="$work/prefix" \
      "${launcher[@]}" >configure.log || fail "configure against the windows install failed"
    cmake --build build >build.log || { cat build.log >&2; fail "build failed"; }
    # A prefix of its own without the virtual desktop, kept between runs: the
    # window is then an X window of its own, its client area where X says.
    # A shared build's DLL is found where it was installed.
    export WINEPREFIX="$work.wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPATH="$work/prefix/bin"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >wineboot.log 2>&1 && wineserver -w
    fi
    run_and_compare wine build/consumer.exe
    wineserver -k 2>/dev/null
    ;;
  *) fail "unknown way: $how" ;;
esac
