#!/usr/bin/env bash
# The race-day soak test at full size: 2 000 competitors (or the number given).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="$root/build-soak"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAVIK_BUILD_GUI=OFF -DRAVIK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target test_soak
RAVIK_SOAK_COMPETITORS="${1:-2000}" "$build/tests/test_soak"
