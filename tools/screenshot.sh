#!/usr/bin/env bash
# Takes a screenshot of the main window, as the program draws it on a real (virtual) X display,
# and saves it as a PNG for the README.
#
# Usage: tools/screenshot.sh [build folder] [output.png] [city]
#   defaults: build, docs/main_window.png, Berlin (shown when city_db.txt lists it; otherwise the
#   program's default place)
# Needs xvfb-run, xauth, xwd and netpbm (scripts/setup installs them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
out=${2:-"$root/docs/main_window.png"}
city=${3:-Berlin}

cmake --build "$build" --target heliomark

# A private copy of the program folder, so the run cannot change the build's settings or positions.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/bin/heliomark" "$work/"
find "$build/bin" -maxdepth 1 -type f \( -name '*.txt' -o -name '*.bmp' \) -exec cp {} "$work/" \;
printf '0,#FALSE#,0,"%s","",20,0,0,#FALSE#\r\n' "$city" > "$work/settings.ini"
mkdir -p "$(dirname "$out")"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -euo pipefail
    "$1/heliomark" &
    pid=$!
    for _ in $(seq 50); do
        xwd -silent -name "Heliomark Pro  v1.3" > "$1/shot.xwd" 2>/dev/null && break
        sleep 0.2
    done
    sleep 1  # let the first paint finish
    xwd -silent -name "Heliomark Pro  v1.3" > "$1/shot.xwd"
    kill "$pid"
    xwdtopnm "$1/shot.xwd" 2>/dev/null | pnmtopng > "$2"
' screenshot "$work" "$out"
echo "saved $out"
