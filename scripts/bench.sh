#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints one table: every benchmark's time and
# its ratio to the time of merely reading the same bytes (the benchmark named
# ReadBytesOnly... in the same program), or for the station read-out to the wire
# time of the same read-out (its wire_time counter).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAVIK_BUILD_GUI=OFF -DRAVIK_BUILD_TESTS=OFF \
  -DRAVIK_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2
results="$build/bench-results"
mkdir -p "$results"
for program in "$build"/bench/*_bench; do
  "$program" --benchmark_format=json --benchmark_min_time=0.2 >"$results/$(basename "$program").json"
done
python3 - "$results" <<'PY'
import json, pathlib, sys
rows = []
for path in sorted(pathlib.Path(sys.argv[1]).glob("*.json")):
    benchmarks = json.loads(path.read_text())["benchmarks"]
    floors = {b["name"]: b["real_time"] for b in benchmarks if b["name"].startswith("ReadBytesOnly")}
    for b in benchmarks:
        if b["name"].startswith("ReadBytesOnly"):
            continue
        # A benchmark's floor is the ReadBytesOnly benchmark with the same suffix, else the first one.
        suffix = b["name"].split("/", 1)[1] if "/" in b["name"] else ""
        floor = next((t for n, t in floors.items() if n.endswith(suffix) and suffix), None)
        floor = floor or (next(iter(floors.values())) if floors else None)
        # The station read-out's floor is the wire time of the same read-out at 38400 Bd.
        floor = b.get("wire_time", floor)
        ratio = f"{b['real_time'] / floor:8.1f}x" if floor else "       -"
        if floor and b["real_time"] < floor:  # a share of the floor, as a percentage
            ratio = f"{100 * b['real_time'] / floor:7.1f}%"
        rows.append((path.stem, b["name"], b["real_time"], b["time_unit"], ratio))
print(f"{'program':<24} {'benchmark':<40} {'time':>14} {'vs read':>9}")
for program, name, time, unit, ratio in rows:
    print(f"{program:<24} {name:<40} {time:>11.1f} {unit:<2} {ratio}")
PY
