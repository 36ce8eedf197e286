#!/usr/bin/env bash
# Tries the release archive on fresh, minimal Debian 12 and Debian 13 roots with nothing but
# Debian's Ardour (`apt-get install --no-install-recommends ardour`) and the validator's run-time
# libraries: the bundle, extracted from the archive into ~/.vst3 as INSTALL.txt says, must be
# found by Ardour's scanner without an error, pass Steinberg's validator (`validator -e`), and
# render headless through Ardour to within 5e-4 of `kelvora-render --direct` on the same
# programme (the effect's per-block randomness differs between the two).
#   scripts/try-release.sh [ARCHIVE]
# as root; ARCHIVE defaults to the one scripts/release.sh makes. SUITES picks the Debian
# releases (default "bookworm trixie"). It needs fresh-run.sh (FRESH_RUN, default
# ../shared/tools/fresh-run.sh), which downloads a whole Debian root once per release, and the
# validator (VALIDATOR, default ../shared/tools/bin/validator). The renderer and the audio tool
# of the comparison are built beside the archive's module, in build/release-archive.
set -euo pipefail

# Each case: name, then the plug-in's settings as Ardour sets them.
cases=(
  "defaults"
  "oversampling-8x-input-gain-200|Oversampling=3|Input Gain=200"
  "react|React=1"
  "mid-settings|Input Gain=80|Wet=100|Tame=0.25|Output Gain=90|Bias=0.3|Oversampling=2"
)
# 0.6 s at 48 kHz, as the conformance stage renders (scripts/conformance.sh).
rate=48000
seconds=0.6
frames=28800
export_preset=5b0f4c2e-1d7a-4f3b-9a61-6c2e8d4b7f10

say() { echo "try-release: $*"; }

# Runs one of Ardour's headless scripts with its output in LOG. Ardour 8's interpreter can abort
# in its own teardown ("FATAL: exception not rethrown") after the script has done its work: such
# an ending counts only when DONE, a command, shows the work done, and the log says so. Returns
# the interpreter's status otherwise.
run_lua() {
  local log=$1 done=$2 status=0
  shift 2
  timeout 120 "$@" >"$log" 2>&1 || status=$?
  [ $status -eq 0 ] && return 0
  if [ $status -gt 128 ] && [ $status -ne 124 ] && eval "$done"; then
    say "HOST: $(basename "$1") ended by signal $((status - 128)) in its teardown, its work done:" \
      "$(grep -m 1 FATAL "$log" || echo "no message")"
    return 0
  fi
  return $status
}

# Ardour's export sometimes aborts before it is done: such a render is tried once more, and the
# log says so.
render() {
  local lua=$1 shared=$2 work=$3 name=$4 attempt status
  shift 4
  for attempt in 1 2; do
    rm -rf "$work/render" "$work/out/ardour-$name.wav"
    cp -a "$work/session" "$work/render"
    status=0
    run_lua "$work/render-$name.log" "grep -qx 'exported ardour-$name' $work/render-$name.log" \
      "$lua" "$shared/render.lua" "$work/render" kelvora "$export_preset" "$work/out" \
      "ardour-$name" "$frames" "$@" || status=$?
    [ $status -eq 0 ] && [ -f "$work/out/ardour-$name.wav" ] && return 0
    [ $status -gt 128 ] && [ $attempt = 1 ] || { cat "$work/render-$name.log"; return 1; }
    say "RETRY: Ardour's render of $name ended by signal $((status - 128)); rendering once more"
  done
}

# A session of one stereo track holding the programme, made before the plug-in is installed.
make_session() {
  local lua=$1 shared=$2 work=$3 channel side take
  run_lua "$work/session.log" "grep -q '<Region ' $work/session/kelvora.ardour" \
    "$lua" "$shared/make-session.lua" "$work/session" kelvora "$rate" "$frames" ||
    { cat "$work/session.log"; say "FAIL: Ardour's session"; return 1; }
  for channel in 0 1; do
    side=$([ $channel = 0 ] && echo L || echo R)
    take=$(find "$work/session/interchange" -name "*%$side.wav")
    [ -n "$take" ] && [ "$(echo "$take" | wc -l)" = 1 ] ||
      { say "FAIL: expected one recorded take per channel, found: $take"; return 1; }
    "$shared/kelvora-conformance-audio" fill-take "$shared/programme.wav" "$channel" "$take" ||
      return 1
  done
}

inside() {
  local shared=$1 archive=$2 failed=0
  export DEBIAN_FRONTEND=noninteractive
  say "$(. /etc/os-release && echo "$PRETTY_NAME")"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends ardour libasound2 libfontconfig1 libfreetype6 \
    libx11-6 libxext6 libxrandr2 libxinerama1 libxcursor1 libxrender1 libxcomposite1 xvfb xauth \
    >/tmp/install.log 2>&1 || { cat /tmp/install.log; say "FAIL: apt-get install"; return 1; }
  say "$(dpkg-query -W -f '${Package} ${Version}' ardour); OpenGL: $(dpkg-query -W -f \
    '${Package} ${Version}' libgl1 2>/dev/null || echo none)"
  local lua scanner major
  lua=$(ls /usr/bin/ardour*-lua | head -n 1)
  major=${lua#/usr/bin/ardour}
  major=${major%-lua}
  scanner=/usr/lib/ardour$major/ardour-vst3-scanner

  # A user of their own: the bundle goes into that user's ~/.vst3, where Ardour looks.
  export HOME=/tmp/user XDG_CONFIG_HOME=/tmp/user/.config XDG_CACHE_HOME=/tmp/user/.cache
  mkdir -p "$HOME/.vst3" "$XDG_CONFIG_HOME/ardour$major/export"
  local work=/tmp/ardour
  mkdir -p "$work/out"
  cp "$shared/float-wav.preset" "$XDG_CONFIG_HOME/ardour$major/export/"
  make_session "$lua" "$shared" "$work" || return 1

  (cd "$shared" && sha256sum -c "$archive.sha256") || { say "FAIL: the archive's SHA-256"; return 1; }
  tar -xzf "$shared/$archive" -C "$HOME/.vst3" Kelvora.vst3
  local bundle=$HOME/.vst3/Kelvora.vst3

  if LD_LIBRARY_PATH=$(dirname "$scanner") "$scanner" -v -f "$bundle" >/tmp/scan.log 2>&1 &&
    grep -q '^\[Info\]: Found Plugin: Kelvora$' /tmp/scan.log &&
    ! grep -Eiq '^\[(error|warning)\]|could not|cannot' /tmp/scan.log; then
    say "ardour$major's scanner found Kelvora with no error"
  else
    cat /tmp/scan.log
    say "FAIL: ardour$major's scanner"
    return 1
  fi

  if "$shared/validator" -e "$bundle" >/tmp/validator.log 2>&1; then
    say "validator passed: $(grep '^Result:' /tmp/validator.log | tail -n 1)"
  else
    tail -n 30 /tmp/validator.log
    say "FAIL: validator"
    failed=1
  fi

  local case fields name
  for case in "${cases[@]}"; do
    IFS='|' read -r -a fields <<<"$case"
    name=${fields[0]}
    if render "$lua" "$shared" "$work" "$name" "${fields[@]:1}" &&
      "$shared/kelvora-conformance-audio" compare "$work/out/ardour-$name.wav" \
        "$shared/direct-$name.wav" "$shared/programme.wav" processed 5e-4 >"$work/compare.log" 2>&1; then
      say "ardour$major rendered $name as kelvora-render --direct does:" \
        "$(grep -o 'max |host - reference| [^,]*' "$work/compare.log")"
    else
      cat "$work/compare.log" 2>/dev/null || true
      say "FAIL: ardour$major's render of $name"
      failed=1
    fi
  done
  [ $failed = 0 ] || return 1
  say "passed on $(. /etc/os-release && echo "$PRETTY_NAME")"
}

if [ "${1:-}" = --inside ]; then
  inside "$(readlink -f "$2")" "$3"
  exit
fi

self=$(readlink -f "$0")
archive=${1:+$(readlink -f "$1")}
cd "$(dirname "$self")/.."
[ "$(id -u)" = 0 ] || { echo "try-release: run as root (fresh-run.sh needs it)" >&2; exit 2; }
fresh_run=${FRESH_RUN:-../shared/tools/fresh-run.sh}
validator=${VALIDATOR:-../shared/tools/bin/validator}
[ -x "$fresh_run" ] || { echo "try-release: $fresh_run not found; set FRESH_RUN" >&2; exit 2; }
[ -x "$validator" ] || { echo "try-release: $validator not found; set VALIDATOR" >&2; exit 2; }
if [ -z "$archive" ]; then
  scripts/release.sh
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release-archive/CMakeCache.txt)
  archive=$PWD/out/Kelvora-$version-linux-x86_64.tar.gz
fi
[ -f "$archive.sha256" ] || { echo "try-release: no $archive.sha256" >&2; exit 2; }

build=build/release-archive
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=ON \
  -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kelvora-render kelvora-conformance-audio >/dev/null
audio=$build/tests/conformance/kelvora-conformance-audio

# fresh-run.sh copies its shared folder into the root: the archive, this script, the validator,
# Ardour's session scripts, the audio tool, the programme and the reference renders go that way.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$archive" "$archive.sha256" "$self" "$audio" "$stage/"
cp "$validator" "$stage/validator"
cp tests/conformance/ardour/make-session.lua tests/conformance/ardour/render.lua \
  tests/conformance/ardour/float-wav.preset "$stage/"
"$audio" signal "$stage/programme.wav" "$seconds" "$rate" >/dev/null
for case in "${cases[@]}"; do
  IFS='|' read -r -a fields <<<"$case"
  "$build/tools/kelvora-render" --direct "$stage/programme.wav" "$stage/direct-${fields[0]}.wav" \
    "${fields[@]:1}" >/dev/null
done

status=0
for suite in ${SUITES:-bookworm trixie}; do
  SUITE=$suite SHARED_DIR=$stage "$fresh_run" run --shared . \
    "bash ../shared/$(basename "$self") --inside ../shared $(basename "$archive")" || status=1
done
exit $status
