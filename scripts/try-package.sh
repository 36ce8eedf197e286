#!/usr/bin/env bash
# Installs the Debian package on a fresh, minimal Debian the way a user would, and checks it
# there: `apt-get install ./kelvora_<version>_amd64.deb` brings in only what the package
# declares (no compiler, no -dev package), kelvora-render renders the demo through
# /usr/lib/vst3/Kelvora.vst3, Steinberg's validator passes on the installed bundle, and
# `apt-get remove kelvora` leaves none of its files behind. It reports how many packages the
# install brought and their installed size.
#   scripts/try-package.sh [--with-recommends] [DEB]
# as root; DEB defaults to the one scripts/package.sh makes. It installs with
# --no-install-recommends unless --with-recommends is given (apt's own default). Debian 12 by
# default; SUITE=trixie for Debian 13. It needs fresh-run.sh (FRESH_RUN, default
# ../shared/tools/fresh-run.sh), which downloads a whole Debian root once per suite; the
# validator (VALIDATOR, default ../shared/tools/bin/validator) is run when present.
set -euo pipefail

inside() {
  local deb=$1 validator=$2 recommends=$3
  export DEBIAN_FRONTEND=noninteractive
  echo "try-package: $(. /etc/os-release && echo "$PRETTY_NAME"), installing $recommends"
  apt-get update -qq
  dpkg-query -W -f '${Package}\n' | sort >/tmp/before
  apt-get install -y -qq "--$recommends" "$deb" >/tmp/install.log ||
    { cat /tmp/install.log; echo "try-package: FAIL: apt-get install"; return 1; }
  dpkg-query -W -f '${Package}\n' | sort >/tmp/after
  echo "try-package: installed with it: $(comm -13 /tmp/before /tmp/after | tr '\n' ' ')"
  local count kib
  count=$(comm -13 /tmp/before /tmp/after | wc -l)
  kib=$(comm -13 /tmp/before /tmp/after | xargs dpkg-query -W -f '${Installed-Size}\n' |
    awk '{ sum += $1 } END { print sum }')
  echo "try-package: $count packages, $((kib / 1024)) MiB installed ($recommends)"
  if comm -13 /tmp/before /tmp/after | grep -E -- '-dev$|^(gcc|g\+\+|clang|cmake)'; then
    echo "try-package: FAIL: the package pulled in build tools"
    return 1
  fi
  echo "try-package: Depends: $(dpkg-query -W -f '${Depends}' kelvora)"
  dpkg -L kelvora >/tmp/files

  local scratch
  scratch=$(mktemp -d)
  [ "$(command -v kelvora-render)" = /usr/bin/kelvora-render ] ||
    { echo "try-package: FAIL: kelvora-render is not /usr/bin/kelvora-render"; return 1; }
  (cd "$scratch" && HOME=$scratch kelvora-render "Input Gain=80" "Wet=100" Oversampling=2 \
    -o demo.wav) >/tmp/render.log 2>&1 ||
    { cat /tmp/render.log; echo "try-package: FAIL: kelvora-render"; return 1; }
  cat /tmp/render.log
  grep -qF "Plug-in: Kelvora (/usr/lib/vst3/Kelvora.vst3)" /tmp/render.log ||
    { echo "try-package: FAIL: the render did not go through /usr/lib/vst3"; return 1; }
  [ -s "$scratch/demo.wav" ] || { echo "try-package: FAIL: no demo.wav"; return 1; }
  [ -f /usr/lib/vst3/Kelvora.vst3/Contents/Resources/Roboto-Regular.ttf ] ||
    { echo "try-package: FAIL: the bundle's font does not resolve"; return 1; }
  if command -v kelvora-analyze >/dev/null; then
    kelvora-analyze --help >/dev/null || { echo "try-package: FAIL: kelvora-analyze --help"; return 1; }
  fi

  if [ -x "$validator" ]; then
    "$validator" -e /usr/lib/vst3/Kelvora.vst3 >/tmp/validator.log 2>&1 ||
      { tail -n 30 /tmp/validator.log; echo "try-package: FAIL: validator"; return 1; }
    echo "try-package: validator passed: $(grep '^Result:' /tmp/validator.log | tail -n 1)"
  else
    echo "try-package: no validator; skipped"
  fi

  apt-get remove -y -qq kelvora >/dev/null
  local left=0 path
  while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then
      echo "try-package: FAIL: left behind: $path"
      left=1
    fi
  done </tmp/files
  [ ! -e /usr/lib/vst3/Kelvora.vst3 ] ||
    { echo "try-package: FAIL: /usr/lib/vst3/Kelvora.vst3 is still there"; left=1; }
  [ "$left" = 0 ] || return 1
  echo "try-package: apt-get remove left nothing behind"
  echo "try-package: passed"
}

if [ "${1:-}" = --inside ]; then
  inside "$(readlink -f "$2")" "$3" "$4"
  exit
fi

recommends=no-install-recommends
if [ "${1:-}" = --with-recommends ]; then
  recommends=install-recommends
  shift
fi
self=$(readlink -f "$0")
deb=${1:+$(readlink -f "$1")}
cd "$(dirname "$self")/.."
[ "$(id -u)" = 0 ] || { echo "try-package: run as root (fresh-run.sh needs it)" >&2; exit 2; }
fresh_run=${FRESH_RUN:-../shared/tools/fresh-run.sh}
validator=${VALIDATOR:-../shared/tools/bin/validator}
[ -x "$fresh_run" ] || { echo "try-package: $fresh_run not found; set FRESH_RUN" >&2; exit 2; }
if [ -z "$deb" ]; then
  scripts/package.sh
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
  deb=$PWD/out/kelvora_${version}_amd64.deb
fi

# fresh-run.sh copies its shared folder into the root: hand it the package, this script and
# the validator that way.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$deb" "$self" "$stage/"
[ -x "$validator" ] && cp "$validator" "$stage/validator"
SHARED_DIR=$stage "$fresh_run" run --shared . \
  "bash ../shared/$(basename "$self") --inside ../shared/$(basename "$deb") ../shared/validator $recommends"
