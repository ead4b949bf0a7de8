#!/usr/bin/env bash
# Runs the same ravik-cli commands on the sample race with the Linux build
# (build/ravik-cli) and the Windows build (build-windows/ravik-cli.exe under Wine, given
# Windows paths Z:\...) in a folder with Czech letters in its name, then compares every
# file each wrote and everything each printed (stdout, stderr, exit status), byte for
# byte. Both run in the same folder in turn, so the files name the same race folder.
#
# Masked before the comparison, as they must differ: the clock times the program
# writes (a page's "generated" time, an XML list's createTime, the times of the race
# log's lines), the process id in the race lock and, in what the commands print, the race folder in the system's own
# form (/… or Z:\…\). Everything else has to be equal.
set -euo pipefail
source "$(dirname "$0")/windows-common.sh"
work="$root/build-windows/compare"
place="$work/run"
race_folder="$place/Závody/Jarní pohár Třeboň" # ř and ň are not in the Western code page

# The command sequence, run by one side. CLI is the program (with Wine in front for
# Windows), FOLDER the race folder in that system's form, SEP its path separator.
run_side() { # SIDE FOLDER SEP CLI...
  local side="$1" folder="$2" sep="$3" number=0
  shift 3
  local cli=("$@") printed="$work/printed-$side"
  local race="$folder${sep}Sample.ravik"
  rm -rf "$place" "$printed"
  mkdir -p "$place/Závody" "$printed"
  run() { # NAME ARGUMENTS...
    local name
    number=$((number + 1))
    name="$(printf '%02d-%s' "$number" "$1")"
    shift
    set +e
    (cd "$place" && "${cli[@]}" "$@" >"$printed/$name.out" 2>"$printed/$name.err")
    echo $? >"$printed/$name.status"
    set -e
  }
  run demo demo "$folder"
  run readout readout "$race" --stage 1 --log "$folder${sep}SIlog_E1.csv" --date 2026-05-16
  run readout-again readout "$race" --stage 1 --log "$folder${sep}SIlog_E1.csv" --date 2026-05-16
  run results results "$race" --stage 1 --classes Elite,Open,Paralympic,TempO --details --splits
  run results-gbr results "$race" --stage 1 --classes Elite,Paralympic --lang GBR --iof
  run relay results "$race" --stage 1 --classes Open --relay teams
  run startlist startlist "$race" --stage 1
  run startlist-2 startlist "$race" --stage 2
  run xml-preo export-xml "$race" --kind preo --stage 1
  run xml-tempo export-xml "$race" --kind tempo --stage 1
  run xml-startlist export-xml "$race" --kind startlist --stage 2
  run xml-overall export-xml "$race" --kind overall --stages 1,2 --classes Elite,Open
  run set-name competitors "$race" --set 3 Name "Řehoř Žluťoučký-Ďábelský"
  run set-registration competitors "$race" --set 4 Registration "ŽĎR0042"
  run sort competitors "$race" --sort name
  run list competitors "$race"
  run info info "$race"
  run overall overall "$race" --stages 1,2 --classes Elite,Open
  mv "$place" "$work/$side"
}

# A copy of a side's files and printed texts with the masks applied.
masked_copy() { # SIDE FOLDER_AS_PRINTED
  local side="$1" folder="$2"
  rm -rf "$work/masked/$side"
  mkdir -p "$work/masked/$side"
  cp -r "$work/$side" "$work/masked/$side/files"
  cp -r "$work/printed-$side" "$work/masked/$side/printed"
  mask_times_and_pids "$work/masked/$side/files"
  mask_printed_path "$work/masked/$side/printed" "$folder" RACE_FOLDER
}

rm -rf "$work"
mkdir -p "$work"
run_side linux "$race_folder" / "$linux_cli"
run_side windows "$(windows_path "$race_folder")" "$windows_separator" "$wine" "$windows_cli"
masked_copy linux "$race_folder"
masked_copy windows "$(windows_path "$race_folder")"

files=$(cd "$work/linux" && find . -type f | wc -l)
commands=$(find "$work/printed-linux" -name '*.status' | wc -l)
echo "compared $files files written and the output of $commands commands ($work/masked)"
if diff -r "$work/masked/linux" "$work/masked/windows" >"$work/differences.txt"; then
  echo "no differences"
  exit 0
fi
echo "DIFFERENCES (all in $work/differences.txt):"
diff -r "$work/masked/linux/printed" "$work/masked/windows/printed" | sed "s|$work/masked/||g" | head -30
diff -rq "$work/masked/linux/files" "$work/masked/windows/files" | sed "s|$work/masked/||g" | head -30
exit 1
