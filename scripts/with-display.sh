#!/usr/bin/env bash
# Runs a command with an X display of its own: starts Xvfb on a free display
# number (24-bit, 1920x1200 unless TAVREL_XVFB_SCREEN says otherwise: room for
# the test prefix's 1600x1200 desktop), exports DISPLAY, runs the command, and
# stops the server on every way out (end, failure, Ctrl+C, termination).
#   with-display.sh COMMAND [ARGS...]
set -u
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "with-display.sh: Xvfb is not installed (scripts/deps.sh test)" >&2; exit 1; }

xvfb_pid=""
stop_display() {
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  xvfb_pid=""
}
trap stop_display EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A display is free when neither its lock file nor its socket exists; Xvfb's
# -displayfd would pick one itself, but it reports late on some versions.
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 ${TAVREL_XVFB_SCREEN:-1920x1200x24} -nolisten tcp -noreset >"${TMPDIR:-/tmp}/xvfb-$n.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  # Two callers can pick the same number at once: the socket is then the
  # winner's, and the lock file, written before it, names the winner.
  if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ] &&
     [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$xvfb_pid" ]; then
    export DISPLAY=":$n"
    break
  fi
  stop_display  # lost a race for this number: try the next
done
[ -n "$xvfb_pid" ] || { echo "with-display.sh: no Xvfb display could be started" >&2; exit 1; }
echo "with-display.sh: Xvfb on $DISPLAY" >&2
"$@"
