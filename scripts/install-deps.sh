#!/usr/bin/env bash
# Installs the Debian packages Leapmark needs to build, test and run, and any named as arguments.
# Does nothing when every package is already present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libavdevice-dev libavfilter-dev
  ffmpeg
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils fonts-dejavu-core xdotool openbox
  dbus at-spi2-core python3-pyatspi imagemagick
  dpkg-dev file desktop-file-utils appstream
)
# Packages only some targets need (clang for `make fuzz`) come as arguments.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
