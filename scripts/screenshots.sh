#!/usr/bin/env bash
# Takes a screenshot of every Ravik window, showing the sample race, into docs/images/.
#
# Builds Ravik (build-screenshots, Release), writes the sample race into a temporary folder,
# reads its cards out and writes result pages with ravik-cli, then starts the real program
# under Xvfb, opens each window from the main window's buttons with xdotool and grabs it
# with ImageMagick's import. The tests' station emulator stands in for a SportIdent master
# station on a pseudo-terminal, so the Station group reads a card in front of the camera. A local FTP server on 127.0.0.1 stands in for the race web
# service, so the publishing window shows all its commands. Re-runnable; ends on its own.
#
# Controls are found by their captions: the window is read with OCR (tesseract) and the
# word is clicked; where OCR misses it, a fixed position inside the window is clicked (the
# layout under Xvfb with the DejaVu fonts and English captions). If a window does not
# appear, the script says which one and exits with status 1 after taking the others.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
images="$root/docs/images"
build="$root/build-screenshots"
convert=/usr/bin/convert # /usr/local/bin may hold a stand-in of the same name

# ---------------------------------------------------------------------------------------
# Inside Xvfb (the script runs itself there). Arguments: --under-xvfb WORK_FOLDER
# ---------------------------------------------------------------------------------------
if [ "${1:-}" = "--under-xvfb" ]; then
    work="$2"
    race="$work/race/Sample.ravik"
    missing=()

    # Prints the id of the visible window whose title matches the pattern, waiting at most
    # the given number of seconds; prints nothing when it does not appear.
    wait_window() {
        local pattern="$1" seconds="${2:-15}" id=""
        for _ in $(seq $((seconds * 4))); do
            id="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tail -1 || true)"
            [ -n "$id" ] && break
            sleep 0.25
        done
        echo "$id"
    }

    click() { # WINDOW X Y (relative to the window)
        xdotool windowraise "$1"
        sleep 0.3
        xdotool mousemove --window "$1" "$2" "$3" click 1
        sleep 0.4
    }

    # Reads the words of a window with OCR into FILE, one line "x y width height word" per
    # word in window coordinates. Two readings: enlarged three times in grey, and four times
    # in black and white, which catches the short words that the first one misses.
    read_words() { # WINDOW FILE
        local window="$1" file="$2" scale
        local -a options
        xdotool windowraise "$window"
        xdotool mousemove 1399 999
        sleep 0.5
        : >"$file"
        import -window "$window" "$work/ocr.png" || return 0
        for scale in 3 4; do
            options=()
            [ "$scale" = 3 ] || options=(-threshold 70%)
            "$convert" "$work/ocr.png" -resize "$((scale * 100))%" -colorspace Gray "${options[@]}" png:- |
                tesseract stdin stdout --psm 11 tsv 2>/dev/null |
                awk -F'\t' -v s="$scale" \
                    'NR > 1 && $12 != "" { printf "%d %d %d %d %s\n", $7 / s, $8 / s, $9 / s, $10 / s, $12 }' \
                    >>"$file" || true # an unread window leaves the fallback positions
        done
    }

    # Clicks the leftmost word equal to WORD in the words read from the window (a button's or
    # check box's caption, a list item), DX pixels right of its centre. Where OCR did not
    # read it, clicks the fallback position: the place of the control in the layout seen
    # when this script was written.
    click_word() { # WINDOW WORDS_FILE WORD FALLBACK_X FALLBACK_Y [DX]
        local at
        at="$(awk -v word="$3" -v dx="${6:-0}" \
            '$5 == word { print $1 + int($3 / 2) + dx, $2 + int($4 / 2) }' "$2" | sort -n | head -1 || true)"
        if [ -z "$at" ]; then
            echo "  (\"$3\" not read on the screen; clicking at $4,$5)"
            at="$4 $5"
        fi
        # shellcheck disable=SC2086
        click "$1" $at
    }

    # Raises the window, moves the pointer out of the way (no tooltips) and grabs it.
    shot() { # WINDOW NAME
        xdotool windowraise "$1"
        xdotool mousemove 1399 999
        sleep 1
        if import -window "$1" png:- | "$convert" png:- -strip -colors 256 "PNG8:$images/$2.png"; then
            echo "  $2.png ($(($(stat -c %s "$images/$2.png") / 1024)) KB)"
        else
            missing+=("$2.png")
        fi
    }

    # Sets "found" to the window's id, or to "" and records the window as missing.
    need_window() { # PATTERN DESCRIPTION [SECONDS]
        found="$(wait_window "$1" "${3:-15}")"
        [ -n "$found" ] || missing+=("$2")
    }

    cd "$work" # ravik.ini is read from the start directory
    "$work/bin/ravik" "$race" >"$work/ravik.log" 2>&1 &
    ravik_pid=$!
    trap 'kill "$ravik_pid" 2>/dev/null || true' EXIT

    need_window '^Ravik$' "main window" 30
    main="$found"
    if [ -z "$main" ]; then
        echo "Ravik did not start; its output:" >&2
        cat "$work/ravik.log" >&2
        exit 1
    fi
    sleep 2
    read_words "$main" "$work/main.words"

    # Class editor ("Race"), on the class with timed controls (third row of the class list).
    click_word "$main" "$work/main.words" Race 147 162
    need_window '^Závod$' "class editor"
    editor="$found"
    if [ -n "$editor" ]; then
        read_words "$editor" "$work/editor.words"
        click_word "$editor" "$work/editor.words" Paralympic 100 270
        shot "$editor" class-editor
        click_word "$editor" "$work/editor.words" Sprint 100 318
        shot "$editor" class-editor-sprint
    fi

    # Competitor window ("Competitors") and its text import window ("Import TXT").
    click_word "$main" "$work/main.words" Competitors 233 162
    need_window 'Competitors$' "competitor window"
    competitors="$found"
    if [ -n "$competitors" ]; then
        shot "$competitors" competitors
        read_words "$competitors" "$work/competitors.words"
        click_word "$competitors" "$work/competitors.words" TXT 640 577
        need_window '^Import$' "text import window"
        import_window="$found"
        if [ -n "$import_window" ]; then
            click "$import_window" 300 200
            xdotool type --delay 5 "BRN9901 Open      2045190     Kovářová Anna               CZE 61"
            xdotool key Return
            xdotool type --delay 5 "OLO9902 Open      2045191     Beneš Tomáš                 SVK 62      7"
            shot "$import_window" text-import
        fi
    fi

    # Read-out from the main window: the card left out of the command-line read-out comes
    # from the station, and its printout goes to the preview window, not to a printer.
    click_word "$main" "$work/main.words" printer 292 465 # "Print to printer" off
    click_word "$main" "$work/main.words" window 292 491 # "Print to window" on
    click_word "$main" "$work/main.words" Assign 614 127 # "Assign CSV only 1x": nothing new yet
    log="$work/race/SIlog_E1.csv"
    first_card="$(awk -F';' 'NR > 1 && $2 != "" { print $2; exit }' "$log")"
    "$work/bin/station-emulator" "$work/ttySI" "$log" "$first_card" >"$work/emulator.log" 2>&1 &
    emulator_pid=$!
    trap 'kill "$ravik_pid" "$emulator_pid" 2>/dev/null || true' EXIT
    sleep 1
    click_word "$main" "$work/main.words" Port: 531 367 120 # into the port box beside "Port:"
    xdotool key ctrl+a
    xdotool type --delay 5 "$work/ttySI"
    click_word "$main" "$work/main.words" Connect 855 367
    need_window '^Mezičasy' "print preview window"
    preview="$found"
    [ -z "$preview" ] || shot "$preview" print-preview
    shot "$main" main-window
    # The Station group alone, cut from the main window between its title and its last line.
    read_words "$main" "$work/station.words"
    title="$(awk '$5 == "Station" { print $1, $2; exit }' "$work/station.words")"
    last="$(awk '$5 == "Last" { print $2; exit }' "$work/station.words")"
    if [ -n "$title" ] && [ -n "$last" ]; then
        read -r x y <<<"$title"
        width="$(($(xdotool getwindowgeometry "$main" | awk '/Geometry/ { split($2, g, "x"); print g[1] }') - x + 4))"
        "$convert" "$images/main-window.png" -crop "${width}x$((last - y + 34))+$((x - 14))+$((y - 8))" +repage \
            "PNG8:$images/station-group.png" && echo "  station-group.png"
    else
        missing+=("station-group.png")
    fi

    # The assign dialog: a double click on the first line of Unassigned SI (just below its label).
    read_words "$main" "$work/unassigned.words"
    at="$(awk '$5 == "Unassigned" { print $1 + 20, $2 + $4 + 14; exit }' "$work/unassigned.words")"
    [ -n "$at" ] || at="560 270"
    # shellcheck disable=SC2086
    set -- $at
    xdotool windowraise "$main"
    xdotool mousemove --window "$main" "$1" "$2" click --repeat 2 --delay 80 1
    need_window '^Assign card$' "assign dialog"
    if [ -n "$found" ]; then
        shot "$found" assign-card
        xdotool key Escape || true
        sleep 0.5
    fi

    # Manual punch entry ("Manual results"), on a competitor with timed controls.
    click_word "$main" "$work/main.words" Manual 789 298
    need_window 'punching$' "manual punch entry window"
    manual="$found"
    if [ -n "$manual" ]; then
        read_words "$manual" "$work/manual.words"
        click_word "$manual" "$work/manual.words" ID 57 21 40
        xdotool type "37"
        xdotool key Return
        sleep 1
        shot "$manual" manual-entry
    fi

    # Results window: one class, points and detailed columns, shown in the browser window.
    click_word "$main" "$work/main.words" Results 252 287
    need_window '^Results$' "results window"
    results="$found"
    if [ -n "$results" ]; then
        read_words "$results" "$work/results.words"
        click_word "$results" "$work/results.words" Elite 40 101
        click_word "$results" "$work/results.words" Points, 255 103
        click_word "$results" "$work/results.words" detailed 255 129
        click_word "$results" "$work/results.words" show 255 393
        shot "$results" results
        click_word "$results" "$work/results.words" Results 366 420
        need_window '\.htm$' "browser window" 30
        browser="$found"
        if [ -n "$browser" ]; then
            sleep 5 # the page renders after the window shows
            shot "$browser" browser
        fi
    fi

    # Publishing window ("FTP"): the connection test runs when it opens.
    click_word "$main" "$work/main.words" FTP 406 287
    need_window '^FTP$' "publishing window"
    publish="$found"
    if [ -n "$publish" ]; then
        sleep 4
        read_words "$publish" "$work/publish.words"
        click_word "$publish" "$work/publish.words" startlist_E1.htm 420 89
        click_word "$publish" "$work/publish.words" results_E1_class_Elite.htm 450 47
        shot "$publish" publishing
    fi

    # The main window once more, in Czech.
    click_word "$main" "$work/main.words" CZE 330 560
    sleep 1
    shot "$main" main-window-cs

    kill "$ravik_pid" 2>/dev/null || true
    for _ in $(seq 20); do kill -0 "$ravik_pid" 2>/dev/null || break; sleep 0.25; done
    kill -9 "$ravik_pid" 2>/dev/null || true
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Not taken: ${missing[*]}" >&2
        exit 1
    fi
    exit 0
fi

# ---------------------------------------------------------------------------------------
# Packages, build, sample race, FTP stand-in; then the script again under Xvfb.
# ---------------------------------------------------------------------------------------
"$root/scripts/setup.sh"
packages=(xvfb xauth xdotool imagemagick tesseract-ocr tesseract-ocr-eng python3-pyftpdlib)
absent=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || absent+=("$package")
done
if [ ${#absent[@]} -gt 0 ]; then
    echo "Installing: ${absent[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${absent[@]}" >/dev/null
fi

echo "Building Ravik in $build"
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAVIK_BUILD_TESTS=ON \
    -DRAVIK_BUILD_BENCH=OFF && cmake --build "$build" -j2 --target ravik ravik-cli station-emulator; } >"$build/screenshots-build.log" 2>&1; then
    tail -40 "$build/screenshots-build.log" >&2
    echo "The build failed; the whole output is in $build/screenshots-build.log" >&2
    exit 1
fi

work="$(mktemp -d /tmp/ravik-screenshots.XXXXXX)"
ftp_pid=""
cleanup() {
    [ -z "$ftp_pid" ] || kill "$ftp_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/bin" "$images"
cp "$build/ravik" "$build/ravik-cli" "$build/tests/station-emulator" "$work/bin/"
cli="$work/bin/ravik-cli"
race="$("$cli" demo "$work/race")"
log="$work/race/SIlog_E1.csv"
# A PreO Sprint class in the fifth row of stage 1, for the class editor's sprint picture.
cat >"$work/sprint.json" <<'JSON'
{"stages": [{"stage": 1, "classes": [{"slot": 5, "class_name": "Sprint",
  "control_flags": ["A", "A", "A", "A", "A", "A"], "control_answer": ["A", "Z", "A", "A", "Z", "A"],
  "answer_codes": [[151, 0, 0, 0, 0, 0, 152], [153, 0, 0, 0, 0, 0, 154], [155, 0, 0, 0, 0, 0, 156],
                   [157, 0, 0, 0, 0, 0, 158], [159, 0, 0, 0, 0, 0, 160], [161, 0, 0, 0, 0, 0, 162]],
  "time_limit": 12, "format": "preo-sprint", "time_factor": 1.0, "overtime_seconds_per_point": 30}]}]}
JSON
"$cli" define "$race" "$work/sprint.json" >/dev/null

# Two late entries without a card, for the assign dialog to offer.
printf '%-8s%-10s%-12s%-28s%s\r\n' BRN9911 Elite "" "Horak Jan" CZE OLO9912 Open "" "Dvorak Petr" SVK \
    >"$work/late.txt"
"$cli" import-text "$race" --stage 1 "$work/late.txt" >/dev/null
"$cli" ids "$race" >/dev/null

# The command-line read-out leaves out the first card of the log, which the program itself
# then reads out (and prints) in front of the camera.
first_card="$(awk -F';' 'NR > 1 && $2 != "" { print $2; exit }' "$log")"
awk -F';' -v card="$first_card" '$2 != card' "$log" >"$work/SIlog_E1_partial.csv"
"$cli" readout "$race" --stage 1 --log "$work/SIlog_E1_partial.csv" --lang GBR >/dev/null

"$cli" results "$race" --stage 1 --classes Elite --columns --details --lang GBR >/dev/null
"$cli" results "$race" --stage 1 --classes Open,Paralympic --columns --lang GBR >/dev/null
"$cli" results "$race" --stage 1 --classes TempO --columns --details --tempo-style --lang GBR >/dev/null
"$cli" startlist "$race" --stage 1 >/dev/null
"$cli" overall "$race" --stages 1 --classes Elite >/dev/null

# The answer statistics page of Elite, as headless Chromium draws it.
stats_page="$("$cli" stats "$race" --stage 1 --classes Elite --lang GBR)"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$work/chromium" --window-size=1000,760 \
    --screenshot="$images/statistics.png" "file://$stats_page" >/dev/null 2>&1

# Settings of the program: English, the read-out log without the station's card, another
# FTP server, zoom 10.
printf 'GBR\r\n%s\r\n_\r\nftp.example.org\r\nresults\r\nexample-password\r\n10\r\n' "$work/SIlog_E1_partial.csv" \
    >"$work/ravik.ini"

# A local FTP server as the race web service, with the race web folder of stage 1 for the
# default service user "VXuser".
stage_date="$("$cli" info "$race" | sed -n 's/^Stage 1: \([^,]*\),.*/\1/p')"
mkdir -p "$work/ftp/www/ravik/results/VXuser/${stage_date}E1"
port="$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$port" -w -u ravik -P sample -d "$work/ftp" \
    >"$work/ftp.log" 2>&1 &
ftp_pid=$!
cat >"$work/ravik-service.ini" <<EOF
host=127.0.0.1
port=$port
user=ravik
password=sample
public_address=https://results.example.org/
admin_email=office@example.org
EOF
export RAVIK_SERVICE_CONFIG="$work/ravik-service.ini"
export QTWEBENGINE_DISABLE_SANDBOX=1

echo "Taking the screenshots into $images"
timeout 900 xvfb-run -a -s "-screen 0 1400x1000x24" "$0" --under-xvfb "$work"
