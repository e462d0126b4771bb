#!/usr/bin/env bash
# End to end from the keyboard alone, at 150 % on a 1366x768 virtual display: the window fits
# the screen; Ctrl+O adds a landscape PDF, Tab and the arrows reach its resolution, F2 edits it,
# Ctrl+Return converts, Ctrl+Q quits. The image has the size the option table showed.
# Usage: keyboard.sh <installation folder> [screenshot.png]
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"

session() {
    local work=$1 pdf=$2 screenshot=$3
    QT_SCALE_FACTOR=1.5 "$work/app/vezudiri" > "$work/app.log" 2>&1 &
    local app_pid=$!
    wait_for 30 "the main window" xdotool search --name '^ZEMRA VEZ ud Iri$'
    local window
    window=$(xdotool search --name '^ZEMRA VEZ ud Iri$' | head -n 1)
    sleep 1

    # The whole window on the screen, title strip included.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # shellcheck disable=SC2153 # X, Y, WIDTH, HEIGHT come from xdotool
    { [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1366 ] &&
        [ $((Y + HEIGHT)) -le 768 ]; } || fail "window at ${X},${Y} ${WIDTH}x${HEIGHT} leaves the screen"
    echo "window ${WIDTH}x${HEIGHT} at ${X},${Y}"

    xdotool windowfocus --sync "$window"
    xdotool key ctrl+o
    wait_for 20 "the open dialog" xdotool search --name 'Select one or more files to open'
    sleep 0.5
    xdotool type --delay 15 "$pdf"
    xdotool key Return
    wait_for 20 "the open dialog to close" \
        bash -c "! xdotool search --name 'Select one or more files to open'"
    sleep 1
    xdotool windowfocus --sync "$window"
    # Add Files has the focus: Remove, Clear, the file list, the option table; then down to the
    # resolution, which F2 edits.
    xdotool key Tab Tab Tab Tab
    sleep 0.3
    xdotool key Down Down
    sleep 0.3
    xdotool key F2
    sleep 0.3
    xdotool type --delay 30 "72"
    xdotool key Escape
    sleep 0.5
    if [ -n "$screenshot" ]; then import -window root "$screenshot"; fi
    xdotool key ctrl+Return

    local out="$work/pdfs/landscape"
    wait_for 60 "the image" bash -c "ls \"$out\"/*.bmp >/dev/null 2>&1"
    sleep 1
    local size
    size=$(identify -format '%wx%h' "$out"/*.bmp)
    [ "$size" = 842x595 ] || fail "the image is $size, not the 842x595 of a landscape A4 page at 72 DPI"
    echo "converted: $size"

    xdotool windowfocus --sync "$window"
    xdotool key ctrl+q
    for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app_pid" 2>/dev/null && { kill "$app_pid"; fail "Ctrl+Q did not quit"; }
    wait "$app_pid" || fail "the program exited with status $?"
    echo "quit cleanly"
}

if [ "${1:-}" = "--session" ]; then
    shift
    session "$@"
    exit 0
fi

app_dir=$(realpath "$1")
screenshot=${2:+$(realpath -m "$2")}
for tool in xvfb-run xdotool gs identify; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$app_dir" "$work/app"
sed -i '/^isupdate=/Id' "$work/app/config.ini"
printf '[General]\nisUpdate=false\n' >> "$work/app/config.ini"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/pdfs"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

pdf="$work/pdfs/landscape.pdf"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile="$pdf" -c \
    '<< /PageSize [842 595] >> setpagedevice /Helvetica findfont 96 scalefont setfont' \
    '150 250 moveto (Landscape) show showpage'

xvfb-run -a -s "-screen 0 1366x768x24" "$0" --session "$work" "$pdf" "$screenshot"
