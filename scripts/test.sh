#!/usr/bin/env bash
# Installs what is missing, builds Ravik with its tests and runs every test,
# then runs each libFuzzer target for a few seconds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/check-os-headers.sh"

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

export QT_QPA_PLATFORM=offscreen
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
(cd "$build" && ctest --output-on-failure -j2 --timeout 600)

# Fuzz targets, built with clang and the sanitizers.
fuzz="$root/build-fuzz"
CXX=clang++ cmake -S "$root" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVIK_FUZZ=ON \
  -DRAVIK_BUILD_GUI=OFF -DRAVIK_CLI_QT=OFF -DRAVIK_BUILD_TESTS=OFF -DRAVIK_BUILD_BENCH=OFF >/dev/null
cmake --build "$fuzz" -j2
(cd "$fuzz" && ctest --output-on-failure)
