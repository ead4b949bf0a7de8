#!/usr/bin/env bash
# Installs what is missing, builds Ravik (Release) and starts it on the race given
# as argument, or on the bundled sample race.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAVIK_BUILD_TESTS=OFF -DRAVIK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target ravik ravik-cli

race="${1:-}"
if [ -z "$race" ]; then
  sample="$root/examples/sample"
  [ -f "$sample/Sample.ravik" ] || "$build/ravik-cli" demo "$sample" >/dev/null
  race="$sample/Sample.ravik"
fi

# The embedded browser refuses to start as root without this.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; starting under Xvfb."
  exec xvfb-run -a "$build/ravik" ${race:+"$race"}
fi
exec "$build/ravik" ${race:+"$race"}
