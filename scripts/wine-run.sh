#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the build's own and passes its
# exit status on. The prefix is made on first use (once, under a lock) with
# Wine's virtual desktop (1024x768), in which display-mode changes work and
# destroying a window does not stall, and its wineserver kept alive between
# runs so that later starts are quick.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${TAVREL_WINEPREFIX:-$here/../build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$WINEPREFIX/../wineboot.log" 2>&1
    wineserver -w
  fi
  # The desktop is read when the server starts: set it while none runs.
  if ! grep -q '"Default"="1024x768"' "$WINEPREFIX/user.reg"; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"
# Start the server and Wine's own services with their output sent nowhere: a
# service started by the program under test would inherit its output pipe and
# keep the caller (ctest) waiting for end of file long after the program ended.
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd.exe /c exit 0 >/dev/null 2>&1 </dev/null
exec wine "$@"
