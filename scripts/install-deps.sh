#!/usr/bin/env bash
# Installs every Debian package that building, running and testing ケルナ needs.
# Idempotent and quiet when everything is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  qt6-translations-l10n qt6-l10n-tools
  qt6-speech-dev qt6-declarative-dev libqt6texttospeech6 qt6-speech-speechd-plugin
  qt6-charts-dev
  speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-noto-cjk
  xvfb xauth imagemagick openbox x11-utils xdotool wmctrl desktop-file-utils
  weston xwayland qt6-wayland
  dbus at-spi2-core
  clang libclang-rt-14-dev
  appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
