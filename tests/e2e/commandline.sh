#!/usr/bin/env bash
# End to end, as from the file manager: the real program started with a PDF on its command line
# (a relative path) on a virtual display, a second start naming a folder hands it to the running
# window and ends, and Start converts everything listed.
# Usage: commandline.sh <installation folder>
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"
images() { ls "$1"/*.bmp 2>/dev/null | wc -l; }

# The part that runs inside the virtual display.
session() {
    local work=$1
    cd "$work/pdfs"
    "$work/app/vezudiri" first.pdf > "$work/first.log" 2>&1 &
    local app_pid=$!
    wait_for 30 "the main window" xdotool search --name '^ZEMRA VEZ ud Iri$'
    local window
    window=$(xdotool search --name '^ZEMRA VEZ ud Iri$' | head -n 1)
    echo "main window is up"

    # A start that opened a window of its own would not end.
    timeout 20 "$work/app/vezudiri" more > "$work/second.log" 2>&1 ||
        fail "the second start did not end by itself: $(cat "$work/second.log")"
    kill -0 "$app_pid" 2>/dev/null || fail "the first start ended"
    echo "the second start handed its folder over"

    # Start once both batches are listed; a click before the window takes input is tried again.
    sleep 2
    for _ in 1 2 3 4 5; do
        xdotool mousemove --window "$window" 688 519 click 1
        for _ in $(seq 20); do [ -d "$work/pdfs/first" ] && break 2; sleep 0.1; done
    done
    wait_for 60 "the images of both files" \
        bash -c "[ \$(ls '$work/pdfs/first'/*.bmp '$work/pdfs/more/second'/*.bmp 2>/dev/null | wc -l) -eq 3 ]"
    echo "converted: first/$(ls "$work/pdfs/first" | tr '\n' ' ') more/second/$(ls "$work/pdfs/more/second" | tr '\n' ' ')"

    sleep 1
    quit_from_menu "$window" "$app_pid"
}

if [ "${1:-}" = "--session" ]; then
    shift
    session "$@"
    exit 0
fi

app_dir=$(realpath "$1")
for tool in xvfb-run xdotool gs; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$app_dir" "$work/app"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/pdfs/more"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

write_pdf() { # path, pages
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile="$1" -c \
        "/Helvetica findfont 96 scalefont setfont 1 1 $2 { 250 400 moveto 3 string cvs show showpage } for"
}
write_pdf "$work/pdfs/first.pdf" 1
write_pdf "$work/pdfs/more/second.pdf" 2

xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --session "$work"
