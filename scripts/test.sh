#!/usr/bin/env bash
# Builds and runs every test: the native build's unit tests under ASan and UBSan,
# then the windows build's unit tests and end-to-end tests under Wine, then the
# Linux program's end-to-end tests (release and ThreadSanitizer builds), then the
# web page's in headless Chromium. Ends with
# one summary line; the exit status is non-zero when any step failed.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/deps.sh" test || exit 1

failures=()
counts=()
log_dir="$root/build/test-logs"
mkdir -p "$log_dir"

# Runs one step, remembering its name when it fails.
step() {
  local name=$1
  shift
  echo "== $name"
  if ! "$@"; then
    failures+=("$name")
    return 1
  fi
}

# The public headers compile on their own and the API reference builds from
# them without a warning: no public declaration goes undocumented.
step "api reference" "$root/scripts/check-docs.sh"

# ctest for one preset; its own summary line is kept for the closing one.
run_ctest() {
  local preset=$1
  shift  # the rest: a command that ctest runs under (the X display)
  local log="$log_dir/ctest-$preset.log"
  step "ctest $preset" "$@" ctest --preset "$preset" --output-log "$log"
  local summary
  summary=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)
  counts+=("$preset: ${summary:-no ctest summary}")
}

# The windows unit tests include the window layer's, which open real windows:
# they get an X display of their own too (without one they skip).
for preset in native windows; do
  step "configure $preset" cmake --preset "$preset" || continue
  step "build $preset" cmake --build --preset "$preset" -j2 || continue
  if [ "$preset" = windows ]; then
    run_ctest "$preset" "$root/scripts/with-display.sh"
  else
    run_ctest "$preset"
  fi
done

# The window end-to-end tests drive the windows build's tavrel.exe from the
# outside: an Xvfb display of their own (stopped on every way out), Wine's
# virtual desktop in a prefix of their own, keys and pixels through X.
if step "configure e2e" cmake --preset e2e && step "build e2e" cmake --build --preset e2e -j2; then
  run_ctest e2e "$root/scripts/with-display.sh"
fi

# The native Linux program: its text phase in tmux and its window phase on an
# Xvfb display of their own, as a release build and under ThreadSanitizer.
for preset in linux-e2e tsan; do
  step "configure $preset" cmake --preset "$preset" || continue
  step "build $preset" cmake --build --preset "$preset" -j2 || continue
  run_ctest "$preset"
done

# The web page in headless Chromium, driven through playwright-core: its
# tests compare the canvas with reference_board_ppm of the linux-e2e build
# above. The page's build fetches its terminal widget with npm itself.
if step "npm ci tests/web" npm ci --prefix "$root/tests/web" --no-audit --no-fund --loglevel=error &&
   step "configure web" cmake --preset web && step "build web" cmake --build --preset web -j2; then
  run_ctest web
fi

# The Wine prefix's server was kept alive between test programs; stop it.
for prefix in "$root/build/wineprefix" "$root/build/e2e/wineprefix"; do
  if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  fi
done

echo
for line in "${counts[@]}"; do echo "   $line"; done
if [ ${#failures[@]} -eq 0 ]; then
  echo "test.sh: ALL PASSED (native, windows, window e2e, Linux and web)"
  exit 0
fi
printf -v joined '%s, ' "${failures[@]}"
echo "test.sh: FAILED: ${joined%, }"
exit 1
