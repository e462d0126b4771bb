#!/usr/bin/env bash
# End to end on Wayland: a headless weston, the real program from a copy of its installation
# folder drawing its window there, taking the file a second start hands it and ending on SIGTERM;
# then the window's own Wayland test (tst_wayland) under the same compositor. Skipped (77) where
# weston or Qt's Wayland platform cannot run.
# Usage: wayland.sh <installation folder> <tst_wayland>
set -euo pipefail

# shellcheck source=lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"

app_dir=$(realpath "$1")
tests=$(realpath "$2")
for tool in weston weston-screenshooter gs compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
plugins=$(qtpaths6 --plugin-dir 2>/dev/null || qmake6 -query QT_INSTALL_PLUGINS 2>/dev/null || true)
if [ -n "$plugins" ] && ! ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1; then
    echo "SKIP: Qt's Wayland platform (qt6-wayland) is not installed"
    exit 77
fi

work=$(mktemp -d)
weston_pid=
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/pdfs"
chmod 700 "$XDG_RUNTIME_DIR"

# The pixman renderer draws into memory, so weston-screenshooter (--debug) can read it back.
weston --backend=headless-backend.so --use-pixman --width=1366 --height=768 --socket=vez-wayland \
    --idle-time=0 --no-config --debug > "$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/vez-wayland" ] && break; sleep 0.1; done
if [ ! -S "$XDG_RUNTIME_DIR/vez-wayland" ]; then
    echo "SKIP: weston cannot run here"; tail -5 "$work/weston.log"; exit 77
fi
export WAYLAND_DISPLAY=vez-wayland QT_QPA_PLATFORM=wayland
unset DISPLAY
screenshot() { # file: what the compositor shows
    rm -f "$work"/wayland-screenshot*.png
    (cd "$work" && timeout 20 weston-screenshooter) >/dev/null 2>&1 || return 1
    mv "$work"/wayland-screenshot*.png "$1"
}
sleep 1
screenshot "$work/desktop.png" || fail "weston-screenshooter took no picture"

cp -r "$app_dir" "$work/app"
sed -i '/^isupdate=/Id' "$work/app/config.ini"
printf '[General]\nisUpdate=false\n' >> "$work/app/config.ini"
for name in first second; do
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile="$work/pdfs/$name.pdf" -c \
        '/Helvetica findfont 72 scalefont setfont 200 400 moveto (Wayland) show showpage'
done

"$work/app/vezudiri" "$work/pdfs/first.pdf" > "$work/app.log" 2>&1 &
app_pid=$!
wait_for 30 "the window on the compositor" test -S "$XDG_RUNTIME_DIR/vezudiri-vez-wayland.socket"
sleep 2
screenshot "$work/window.png" || fail "no picture of the window"
changed=$(compare -metric AE "$work/desktop.png" "$work/window.png" null: 2>&1 || true)
# The window is 760 x 580; most of it differs from the desktop behind it.
[ "${changed%% *}" -gt 200000 ] 2>/dev/null || fail "the window is not drawn ($changed pixels changed)"
echo "window drawn ($changed pixels)"

"$work/app/vezudiri" "$work/pdfs/second.pdf" || fail "the second start did not hand its file over"
kill -0 "$app_pid" 2>/dev/null || fail "the window ended"
echo "second start handed its file to the window"

kill -TERM "$app_pid"
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && { kill -KILL "$app_pid"; fail "SIGTERM did not end the program"; }
wait "$app_pid" || true
echo "ended on SIGTERM"

"$tests"
