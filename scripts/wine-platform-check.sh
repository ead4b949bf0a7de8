#!/bin/bash
# The Win32 side of the platform's serial port and folder watch under Wine: a
# small Windows program (scripts/wine/platform_check.cpp) opens COM5, which Wine
# maps to the station emulator's pseudo-terminal, and watches a folder.
#
#   scripts/wine-platform-check.sh [LINUX_BUILD_DIR]   (default: build; needs its station-emulator)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
emulator="$build/tests/station-emulator"
[ -x "$emulator" ] || { echo "no $emulator: build the Linux tree first" >&2; exit 2; }
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
emulator_pid=
cleanup() {
    [ -n "$emulator_pid" ] && kill "$emulator_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -O1 -Isrc scripts/wine/platform_check.cpp \
    src/core/platform/serial_port.cpp src/core/platform/serial_port_win32.cpp \
    src/core/platform/folder_change_watch_win32.cpp \
    -o "$work/platform_check.exe" -static -static-libgcc -static-libstdc++ -lsetupapi

touch "$work/log.csv"
"$emulator" "$work/station" "$work/log.csv" 1045117 >"$work/emulator.out" &
emulator_pid=$!
for _ in $(seq 50); do [ -s "$work/emulator.out" ] && break; sleep 0.1; done
[ -s "$work/emulator.out" ] || { echo "the station emulator did not start" >&2; exit 1; }

# Wine's mount manager makes a port of the Ports key a COM device, listed like a real one.
# (Wine's own messages, and the server's when it stops, go to wine.err.)
"$wine" reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$work/station" /f >/dev/null 2>>"$work/wine.err"
wineserver -k 2>/dev/null || true
status=0
"$wine" "$work/platform_check.exe" COM5 "Z:${work//\//\\}\\watched" 2>>"$work/wine.err" || status=$?
[ "$status" -eq 0 ] || tail -20 "$work/wine.err" >&2
exit "$status"
