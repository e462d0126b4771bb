#!/usr/bin/env bash
# End to end, as a user would: start the real program from a copy of its installation folder on a
# virtual display, add a PDF through the open dialog, press Start, wait for the images, quit from
# the main menu.
# Usage: smoke.sh <installation folder> [screenshot.png]
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"

# The part that runs inside the virtual display.
session() {
    local work=$1 pdf=$2 screenshot=$3
    "$work/app/vezudiri" > "$work/app.log" 2>&1 &
    local app_pid=$!
    wait_for 30 "the main window" xdotool search --name '^ZEMRA VEZ ud Iri$'
    local window
    window=$(xdotool search --name '^ZEMRA VEZ ud Iri$' | head -n 1)
    echo "main window is up"

    # "Add Files" opens the open dialog (a click that comes before the window takes input is
    # tried again); type the path of the PDF.
    local opened=
    for _ in 1 2 3 4 5; do
        sleep 1
        xdotool mousemove --window "$window" 100 85 click 1
        for _ in $(seq 50); do
            xdotool search --name 'Select one or more files to open' >/dev/null 2>&1 && opened=1 && break
            sleep 0.1
        done
        [ -n "$opened" ] && break
    done
    [ -n "$opened" ] || fail "the open dialog did not open"
    sleep 0.5
    xdotool type --delay 15 "$pdf"
    xdotool key Return
    wait_for 20 "the open dialog to close" \
        bash -c "! xdotool search --name 'Select one or more files to open'"
    sleep 1

    # Start, then wait for the three images.
    xdotool mousemove --window "$window" 688 519 click 1
    local out="$work/pdfs/smoke test"
    wait_for 60 "three images" bash -c "[ \$(ls \"$out\"/*.bmp 2>/dev/null | wc -l) -eq 3 ]"
    sleep 1
    for image in "$out"/*.bmp; do
        head -c 2 "$image" | grep -q BM || fail "$image is not a BMP file"
    done
    echo "converted: $(ls "$out" | tr '\n' ' ')"
    if [ -n "$screenshot" ]; then import -window root "$screenshot"; fi

    quit_from_menu "$window" "$app_pid"

    grep -q 'ver=2.2.2.24' "$XDG_CONFIG_HOME/ZEMRA/RADAZizIDA.conf" ||
        fail "version record not written"
    echo "version record written"
    # With the check off, start-up notes the day instead of arming the check.
    grep -qi '^updatetime=' "$work/app/config.ini" || fail "the update check was not off"
    echo "update check off"
}

if [ "${1:-}" = "--session" ]; then
    shift
    session "$@"
    exit 0
fi

app_dir=$(realpath "$1")
screenshot=${2:+$(realpath -m "$2")}
for tool in xvfb-run xdotool gs; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$app_dir" "$work/app"
# No automatic update check: 30 s into the session it would reach for the network.
sed -i '/^isupdate=/Id' "$work/app/config.ini"
printf '[General]\nisUpdate=false\n' >> "$work/app/config.ini"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/pdfs" "$XDG_CONFIG_HOME/ZEMRA"
chmod 700 "$XDG_RUNTIME_DIR"
# An older version on record: every start writes its own.
printf '[Version]\nver=1.0.0.1\n' > "$XDG_CONFIG_HOME/ZEMRA/RADAZizIDA.conf"
unset QT_QPA_PLATFORM

# A three-page PDF written by Ghostscript itself.
pdf="$work/pdfs/smoke test.pdf"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile="$pdf" -c \
    '/Helvetica findfont 96 scalefont setfont 1 1 3 { 250 400 moveto 3 string cvs show showpage } for'

xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --session "$work" "$pdf" "$screenshot"
