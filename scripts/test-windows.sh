#!/usr/bin/env bash
# The Windows leg: builds ravik-cli (without Qt) and the Qt-free tests for Windows with
# mingw-w64 into build-windows/, runs the tests under Wine, then compares what the Linux
# and the Windows ravik-cli write and print for the same commands (windows-compare.sh)
# and what they read from the station emulator through a serial port
# (windows-station.sh). Uses the Linux build of scripts/test.sh (build/), building its
# ravik-cli and station emulator when they are missing. Prints how long each step took;
# exits non-zero when any step failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
linux_build="$root/build"
build="$root/build-windows"
export WINEPREFIX="$build/wine" WINEDEBUG=-all
wineserver=/usr/lib/wine/wineserver64
wine=/usr/lib/wine/wine64

timings=()
failed=()
# Runs one step and notes its time and whether it failed. Never called after || or in an
# if: bash would then ignore set -e inside the step.
step() { # NAME COMMAND...
  local name="$1" begin=$SECONDS status
  shift
  echo "== $name"
  set +e
  (set -e; "$@")
  status=$?
  set -e
  timings+=("$(printf '%-28s %4d s%s' "$name" $((SECONDS - begin)) "$([ $status -eq 0 ] || echo '   FAILED')")")
  [ $status -eq 0 ] || failed+=("$name")
}
# The steps so far must have passed for the next ones to make sense.
required() {
  [ ${#failed[@]} -eq 0 ] || exit 1
}
summary() {
  echo "== Windows leg: time per step"
  printf '   %s\n' "${timings[@]}"
}
finish() {
  [ ! -d "$WINEPREFIX" ] || "$wineserver" -k 2>/dev/null || true
  summary
  if [ ${#failed[@]} -gt 0 ]; then
    echo "== Windows leg FAILED: ${failed[*]}"
    exit 1
  fi
  echo "== Windows leg passed"
}

# The prefix of the Windows libraries, from the step that made it (steps run in subshells).
prefix_note="$build/windows-deps-prefix"
dependencies() {
  mkdir -p "$build"
  "$root/scripts/windows-deps.sh" >"$prefix_note"
}

linux_programs() {
  [ -f "$linux_build/build.ninja" ] ||
    cmake -S "$root" -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$linux_build" -j2 --target ravik-cli station-emulator
}

windows_build() {
  local prefix configured="$build/configured-with-prefix"
  prefix="$(cat "$prefix_note")"
  # What CMake found in another prefix of libraries is gone with it.
  [ "$(cat "$configured" 2>/dev/null)" = "$prefix" ] || rm -f "$build/CMakeCache.txt" "$configured"
  cmake -S "$root" -B "$build" -G Ninja --toolchain "$root/cmake/mingw-w64.cmake" \
    -DRAVIK_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DRAVIK_BUILD_GUI=OFF -DRAVIK_CLI_QT=OFF \
    -DRAVIK_BUILD_BENCH=OFF >/dev/null
  echo "$prefix" >"$configured"
  cmake --build "$build" -j2 --target ravik-cli
}

windows_tests_build() {
  cmake --build "$build" -j2
}

# Wine answers slowly until its server runs and the prefix exists. The server and the
# services Wine starts outlive the command: their output goes to a file, or they would
# hold the caller's pipe open until the end.
warm_wine() {
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p >"$build/wine-start.log" 2>&1 || true # fails when one runs already
  "$wine" cmd /c exit >>"$build/wine-start.log" 2>&1
}

windows_tests() {
  cd "$build"
  ctest --output-on-failure -j2 --timeout 600
}

trap finish EXIT
step "Windows libraries" dependencies
step "Linux ravik-cli, emulator" linux_programs
# Before the build: it runs the test programs under Wine to list their tests.
step "Wine start" warm_wine
step "Windows ravik-cli" windows_build
required
# The comparisons need ravik-cli.exe alone: they run even when a test does not build.
step "Windows tests build" windows_tests_build
if [ "${failed[*]}" != "Windows tests build" ]; then
  step "tests under Wine" windows_tests
fi
step "Linux and Windows files" "$root/scripts/windows-compare.sh"
step "station through COM5" "$root/scripts/windows-station.sh"
