#!/usr/bin/env bash
# Reads one card from the station emulator (the Linux build's tests/station-emulator: a
# master station on a pseudo-terminal) with the Linux ravik-cli through the terminal,
# and from a fresh emulator with the same card with the Windows ravik-cli.exe under Wine
# through COM5 (Wine's dosdevices/com5 links to the emulator's terminal). Each reads into
# its own copy of the sample race; then what they printed, the SI log they wrote and the
# race folders (punch file included) are compared byte for byte, with the clock times,
# the process id, the race folder and the port masked.
set -euo pipefail
source "$(dirname "$0")/windows-common.sh"
work="$root/build-windows/station"
emulator="$root/build/tests/station-emulator"
seconds=30 # for the station to appear and the card's punch file to be written

waits_for() { # TEST... : true once the test passes within the time allowed
  local tries=$((seconds * 10))
  until "$@"; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || return 1
    sleep 0.1
  done
}
punch_file_written() { compgen -G "$1/*.si" >/dev/null; }
punch_file_or_reader_ended() { punch_file_written "$1" || ! kill -0 "$2" 2>/dev/null; } # FOLDER PID

stop() { # PID: asks first (the read-out ends between two cards), then insists
  kill -INT "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -TERM "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

read_card() { # SIDE
  local side="$1" dir="$work/$1" port folder sep status=0
  local race="$dir/Štafeta Třeboň"
  mkdir -p "$dir/printed"
  "$linux_cli" demo "$race" >/dev/null
  local source_log="$race/SIlog_E1.csv"
  "$emulator" "$dir/station-link" "$source_log" "$card" >"$dir/emulator.out" 2>&1 &
  local station=$!
  if ! waits_for test -e "$dir/station-link"; then
    echo "$side: the station emulator did not start" >&2
    kill "$station" 2>/dev/null || true
    return 1
  fi
  local terminal
  terminal="$(readlink -f "$dir/station-link")"
  local cli=("$linux_cli")
  folder="$race" sep=/ port="$terminal"
  if [ "$side" = windows ]; then
    ln -sfn "$terminal" "$WINEPREFIX/dosdevices/com5"
    cli=("$wine" "$windows_cli")
    folder="$(windows_path "$race")" sep="$windows_separator" port=COM5
  fi
  (cd "$dir" && exec "${cli[@]}" station --port "$port" --log "$folder${sep}station.csv" \
    --race "$folder${sep}Sample.ravik" --stage 1 >"$dir/printed/station.out" 2>"$dir/printed/station.err") &
  local reader=$!
  waits_for punch_file_or_reader_ended "$race/E1" "$reader" || true
  if ! punch_file_written "$race/E1"; then
    echo "$side: no punch file was written; ravik-cli printed:" >&2
    cat "$dir/printed/station.out" "$dir/printed/station.err" >&2
    status=1
  fi
  stop "$reader"
  stop "$station"
  mask_printed_path "$dir/printed" "$port" PORT
  mask_printed_path "$dir/printed" "$folder" RACE_FOLDER
  mask_times_and_pids "$race"
  return $status
}

rm -rf "$work"
mkdir -p "$work"
# A card of the sample race's log that belongs to a competitor (7001234 belongs to nobody).
card="$("$linux_cli" demo "$work/sample" >/dev/null &&
  awk -F';' 'NR > 1 && $2 != 7001234 { print $2; exit }' "$work/sample/SIlog_E1.csv")"
echo "card $card"
failed=0
read_card linux || failed=1
read_card windows || failed=1
[ $failed -eq 0 ] || exit 1
# The competitor's punch file, the SI log and the rest of each race folder, and the printed lines.
if diff -r "$work/linux/Štafeta Třeboň" "$work/windows/Štafeta Třeboň" >"$work/differences.txt" &&
  diff -r "$work/linux/printed" "$work/windows/printed" >>"$work/differences.txt"; then
  echo "the same punch file, SI log and printed lines: $(cat "$work/linux/printed/station.out" | wc -l) lines, $(cd "$work/linux/Štafeta Třeboň/E1" && ls ./*.si)"
  exit 0
fi
echo "DIFFERENCES (all in $work/differences.txt):"
sed "s|$work/||g" "$work/differences.txt" | head -60
exit 1
