#!/usr/bin/env bash
# Installs everything the project needs to build, test and run on Debian 12. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
  libfftw3-dev libserialport-dev libsndfile1-dev libsoxr-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libgl1-mesa-dev
  fonts-wine fonts-liberation2 fonts-dejavu-core poppler-utils
  xvfb xauth xdotool x11-utils
  locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Number texts are tested under a Danish locale (its decimal point is a comma).
if ! locale -a 2>/dev/null | grep -qi '^da_DK\.utf-\?8$'; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd localedef -i da_DK -f UTF-8 da_DK.UTF-8
fi
