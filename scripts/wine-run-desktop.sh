#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix with Wine's virtual desktop
# (1024x768), where display-mode changes work, and passes its exit status on.
# The program sees TAVREL_VIRTUAL_DESKTOP=1, so tests that need the desktop can
# tell they have it. Runs are serialised per prefix, and the prefix's server is
# stopped afterwards: the desktop belongs to the X display it was started on.
#   wine-run-desktop.sh PROGRAM [ARGS...]   (under scripts/with-display.sh)
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prefix=${TAVREL_DESKTOP_PREFIX:-$here/../build/desktop-prefix}
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
"$here/../tests/e2e/desktop-prefix.sh" up "$prefix" >/dev/null || exit 1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export TAVREL_VIRTUAL_DESKTOP=1
wine "$@"
status=$?
"$here/../tests/e2e/desktop-prefix.sh" down "$prefix"
exit $status
