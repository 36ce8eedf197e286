#!/usr/bin/env bash
# Installs the Debian packages that building and testing Kelvora need.
# Idempotent: quiet when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsndfile1-dev
  juce-modules-source-data dpf-source libstb-dev fonts-roboto-unhinted
  libx11-dev libxext-dev libxcursor-dev libxfixes-dev libxtst-dev libgl-dev libglx-dev libopengl-dev libgl1-mesa-dri
  libfontconfig-dev librsvg2-dev librsvg2-bin
  xvfb xauth x11-utils python3 python3-pil imagemagick
  libfftw3-dev python3-matplotlib libhwy-dev
  file lintian help2man
  ardour libasound2 libfreetype6 libx11-6 libxext6 libxrandr2 libxinerama1 libxcursor1 libxrender1 libxcomposite1
  lv2-dev liblilv-dev sordi lilv-utils jalv jackd2 lv2-examples dpf-plugins-lv2
  openbox xdotool
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
  wine wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
