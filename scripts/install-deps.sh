#!/usr/bin/env bash
# Installs everything needed to build, run and test the program on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools qt6-qpa-plugins qt6-image-formats-plugins libgl-dev
  libgif-dev libimagequant-dev libpng-dev libdeflate-dev libpoppler-cpp-dev libpoppler-private-dev
  libgs-dev
  # the Debian package (cpack, dpkg-shlibdeps) and the validators of its desktop files
  dpkg-dev file desktop-file-utils appstream
  # the tools the program drives
  ghostscript poppler-utils libtiff-tools
  # interface fonts for all five languages
  fonts-dejavu-core fonts-wqy-microhei
  # tests: encrypted PDFs, a display, screenshots, a private D-Bus with a mock logind,
  # and clang for the fuzz target
  qpdf xvfb xauth x11-utils xdotool imagemagick dbus python3-dbusmock clang libclang-rt-14-dev
  # the benchmarks' peers: what a user would run instead, two at a time
  mupdf-tools parallel
  # the window on Wayland: Qt's platform and a headless compositor for its test
  qt6-wayland weston
  # the cluster test: a one-node Slurm cluster of this machine
  slurmctld slurmd slurm-client munge
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
