#!/usr/bin/env bash
# Builds the Debian package from the already-built tree, unpacks it into a scratch root and checks
# what it installs: the whole installation folder under /usr/lib/vezudiri, the command on PATH
# that finds that folder through its link, the desktop entry, metadata and icons, the manual page
# and the bash completion, and the dependencies on the tools and libraries the program needs.
# Usage: check-package.sh <build folder>
set -euo pipefail

fail() { echo "FAIL: $*"; exit 1; }
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb is not installed"; exit 77; }

build=$(realpath "$1")
app_id=example.zemra.vezudiri
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
echo "built $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Version)" = 2.2.2.24-1 ] || fail "version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for package in ghostscript poppler-utils libtiff-tools qt6-qpa-plugins \
    libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libgif7 libimagequant0 libpng16-16 \
    libpoppler-cpp0v5; do
    grep -Eq "(^|, )$package( |,|$)" <<< "$depends" || fail "Depends lacks $package"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Recommends: $recommends"
grep -Eq "(^|, )qt6-wayland( |,|$)" <<< "$recommends" || fail "Recommends lacks qt6-wayland"

# Everything belongs to root and lies under /usr.
dpkg-deb -c "$deb" > "$work/contents"
awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$work/contents" ||
    fail "files not owned by root"
awk '{ print $6 }' "$work/contents" | grep -Ev '^\./(usr/.*)?$' && fail "files outside /usr"

root="$work/root"
dpkg -x "$deb" "$root"
lib="$root/usr/lib/vezudiri"

# The installation folder holds everything the build folder's does, and the mark of an installed
# copy, whose config.ini no user's start rewrites.
(cd "$build/app" && find . -type f && echo ./installed) | sort > "$work/expected"
(cd "$lib" && find . -type f | sort) > "$work/installed"
diff -u "$work/expected" "$work/installed" || fail "the installation folder differs from build/app"
[ -x "$lib/vezudiri" ] || fail "the executable is not executable"
[ "$(readlink "$root/usr/bin/vezudiri")" = ../lib/vezudiri/vezudiri ] ||
    fail "usr/bin/vezudiri is not a link to ../lib/vezudiri/vezudiri"
cmp -s "$lib/config.ini" "$(dirname "$0")/../../resources/config.ini" ||
    fail "config.ini is not the delivered one"

# The watch folder's service, for the system and for users, verified as systemd reads them.
for unit in system user; do
    file="$root/usr/lib/systemd/$unit/vezudiri-watch@.service"
    [ -f "$file" ] || fail "missing usr/lib/systemd/$unit/vezudiri-watch@.service"
    if command -v systemd-analyze > /dev/null; then
        mkdir -p "$work/$unit"
        sed "s#/usr/bin/vezudiri#$lib/vezudiri#" "$file" > "$work/$unit/vezudiri-watch@check.service"
        systemd-analyze verify --man=no "$work/$unit/vezudiri-watch@check.service" ||
            fail "systemd-analyze verify finds fault with the $unit unit"
    fi
done

share="$root/usr/share"
for file in "applications/$app_id.desktop" "metainfo/$app_id.metainfo.xml" \
    "icons/hicolor/scalable/apps/$app_id.svg"; do
    [ -f "$share/$file" ] || fail "missing usr/share/$file"
done
for size in 16 22 24 32 48 64 128 256; do
    icon="$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [ -f "$icon" ] || fail "missing icon ${size}x${size}"
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $icon is not $size px"
done
appstreamcli validate-tree --no-net "$root" || fail "the installed tree does not validate"

# The manual page is compressed and renders without a warning.
manual="$share/man/man1/vezudiri.1.gz"
gzip -t "$manual" || fail "usr/share/man/man1/vezudiri.1.gz is missing or not compressed"
if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page: $warnings"
    gzip -dc "$manual" | groff -man -ww -z || fail "groff warns about the manual page"
fi

# The completion offers every option --convert --help shows, the formats it lists and each
# format's colours, when bash asks the way it does on a <TAB>.
completion="$share/bash-completion/completions/vezudiri"
[ -f "$completion" ] || fail "missing usr/share/bash-completion/completions/vezudiri"
completed() { # words of the command line, the last being completed
    bash -c 'source "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _vezudiri
             printf "%s\n" "${COMPREPLY[@]}"' "$completion" "$@"
}
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/vezudiri" --convert --help)
missing=$(comm -23 <(grep -oE -- '--[a-z][a-z-]+' <<< "$help" | grep -vx -- --convert | sort -u) \
    <(completed vezudiri --convert -- | sort -u))
[ -z "$missing" ] || fail "vezudiri --convert --<TAB> lacks: $missing"
formats=$(tr '\n' ' ' <<< "$help" | grep -oE 'Image format: [^(]*' | tr -s ' ' |
    sed -E 's/^Image format: //; s/ $//; s/, /\n/g')
[ "$(completed vezudiri --convert --format '')" = "$formats" ] ||
    fail "vezudiri --convert --format <TAB>: $(completed vezudiri --convert --format '')"
while read -r format colours; do
    offered=$(completed vezudiri --convert -f "$format" -c '')
    [ "$offered" = "$(tr -d ' ' <<< "$colours" | tr ',' '\n')" ] ||
        fail "vezudiri --convert -f $format -c <TAB>: $offered"
done < <(sed -n '/^Colours of each format/,/^$/p' <<< "$help" | grep -E '^  [A-Z]+ {2,}')

# Started through the link, the program finds its folder: the language stored in its config.ini
# (German) and its translations answer --help, without a display.
printf '[General]\nLanguage=4\n' > "$lib/config.ini"
export XDG_CONFIG_HOME="$work/config"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/vezudiri" --help)
grep -q "PDF-Dateien" <<< "$help" || fail "--help through usr/bin/vezudiri: $help"
version=$("$root/usr/bin/vezudiri" --version)
[ "$version" = "vezudiri 2.2.2.24" ] || fail "--version: $version"
echo "package contents are complete"
