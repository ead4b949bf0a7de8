#!/usr/bin/env bash
# Builds every libFuzzer target with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for SECONDS (default 60), one after the other. Crashes are kept in
# build-fuzz/findings/<target>/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
"$root/scripts/setup.sh"
fuzz="$root/build-fuzz"
CXX=clang++ cmake -S "$root" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVIK_FUZZ=ON \
  -DRAVIK_BUILD_GUI=OFF -DRAVIK_CLI_QT=OFF -DRAVIK_BUILD_TESTS=OFF -DRAVIK_BUILD_BENCH=OFF >/dev/null
cmake --build "$fuzz" -j2
status=0
for target in "$fuzz"/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  mkdir -p "$fuzz/findings/$name" "$fuzz/corpus/$name"
  echo "== $name: ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$fuzz/findings/$name/" "$fuzz/corpus/$name" 2>"$fuzz/findings/$name.log"; then
    echo "   FOUND a problem: see $fuzz/findings/$name.log"
    status=1
  fi
  grep -E "stat::number_of_executed_runs|cov:" "$fuzz/findings/$name.log" | tail -2 | sed 's/^/   /'
done
exit $status
