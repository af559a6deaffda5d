#!/usr/bin/env bash
# The README's Windows play command, end to end: scripts/play.sh --windows on a virtual X display
# must open the game in a Wine console window whose keys reach the game; "3"
# shows the about screen, any key returns, "4" ends play.sh with status 0.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
xvfb_pid=""
play_pid=""
export WINEPREFIX="$root/build/wineprefix-playtest"

cleanup() {
  [ -n "$play_pid" ] && kill "$play_pid" 2>/dev/null
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "play_script_smoke: $*" >&2
  echo "--- play.sh output:" >&2
  cat "$work/play.log" >&2 2>/dev/null
  exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_until() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A display of our own: Xvfb picks a free number and writes it to the pipe.
exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 display_number <&3 || fail "Xvfb did not start"
export DISPLAY=":$display_number"

"$root/scripts/play.sh" --windows >"$work/play.log" 2>&1 </dev/null &
play_pid=$!

wait_until 1200 xdotool search --name 'tavrel\.exe' || fail "no console window appeared"
window=$(xdotool search --name 'tavrel\.exe' | head -n 1)
xdotool windowfocus "$window"
sleep 0.5
for key in 3 x 4; do
  xdotool key "$key"
  sleep 0.5
done
wait_until 200 bash -c "! kill -0 $play_pid" || fail "the game did not end on 4"
wait "$play_pid"
status=$?
play_pid=""
[ "$status" -eq 0 ] || fail "play.sh ended with status $status"
echo "play_script_smoke: the game ran in a Wine console window and ended on 4"
