#!/usr/bin/env bash
# Whole-process timings, medians of 5 runs, side by side: `ravik-cli readout` with
# nothing new on a 100 000-line log against `wc -l` of it, and `ravik-cli --help`
# against /bin/true. Builds this tree's benchmarks (Release); each argument is
# another ravik-cli to measure beside this tree's (for example main's build).
#
#   scripts/bench-process.sh [OTHER/ravik-cli ...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${RAVIK_BENCH_BUILD:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAVIK_BUILD_GUI=OFF -DRAVIK_BUILD_TESTS=OFF \
  -DRAVIK_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target process_bench ravik-cli >/dev/null
results="$build/bench-results"
mkdir -p "$results"
clis=("$build/ravik-cli" "$@")
for i in "${!clis[@]}"; do
  RAVIK_CLI="${clis[$i]}" "$build/bench/process_bench" --benchmark_format=json >"$results/process-$i.json"
done
python3 - "$results" "${clis[@]}" <<'PY'
import json, pathlib, sys
results, clis = pathlib.Path(sys.argv[1]), sys.argv[2:]
medians = []
for i in range(len(clis)):
    runs = json.loads((results / f"process-{i}.json").read_text())["benchmarks"]
    medians.append({b["run_name"].split("/")[0]: b["real_time"] for b in runs if b.get("aggregate_name") == "median"})
rows = [("ravik-cli readout, nothing new", "Process_ReadoutNothingNew", "Process_WcLines", "wc -l"),
        ("ravik-cli --help", "Process_Help", "Process_True", "/bin/true")]
print(f"{'median of 5 (ms)':<34}" + "".join(f"{pathlib.Path(c).parent.parent.name[:18]:>20}" for c in clis))
for label, name, floor, floor_label in rows:
    print(f"{label:<34}" + "".join(f"{m[name]:>12.1f} ({m[name] / m[floor]:4.1f}x)" for m in medians))
    print(f"{floor_label:<34}" + "".join(f"{m[floor]:>20.1f}" for m in medians))
PY
