#!/usr/bin/env bash
# Checks the Windows bundle in a small Windows host of our own (kelvora-win-host.exe, from
# tests/windows/) under Wine: the built-in demo rendered through the module matches Linux's
# `kelvora-render --direct` within the effect's per-block jitter at three settings and differs
# clearly from the input; the editor opens in the host's window showing its artwork
# (docs/editor.png); knobs dragged with window messages change the parameter the host sees, the
# way they were dragged; the editor closes and the host ends cleanly. Ends with a table of every
# check; the exit status is non-zero when any failed.
#
#   scripts/check-windows-host.sh [WINDOWS_BUILD [LINUX_BUILD]]
#
# WINDOWS_BUILD (default build/windows) is configured with cmake/toolchains/mingw-w64-x86_64.cmake,
# LINUX_BUILD (default build/release) is a native Release build; the script builds the targets
# it needs in both. Logs, renders and pictures stay in WINDOWS_BUILD/check-windows-host/.
set -uo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.." || exit 1
root=$PWD
if [ $# -gt 2 ]; then
  echo "usage: scripts/check-windows-host.sh [WINDOWS_BUILD [LINUX_BUILD]]" >&2
  exit 2
fi
win=${1:-build/windows}
linux=${2:-build/release}
for folder in "$win" "$linux"; do
  if [ ! -f "$folder/CMakeCache.txt" ]; then
    echo "$folder is not a configured build folder" >&2
    exit 2
  fi
done
cmake --build "$win" -j "$(nproc)" --target Kelvora kelvora-win-host || exit 1
cmake --build "$linux" -j "$(nproc)" --target kelvora-render kelvora-conformance-audio \
  kelvora-conformance-window || exit 1
win=$(cd "$win" && pwd)
linux=$(cd "$linux" && pwd)
bundle=$win/Kelvora.vst3
host=$win/tests/windows/kelvora-win-host.exe
render=$linux/tools/kelvora-render
audio=$linux/tests/conformance/kelvora-conformance-audio
window=$linux/tests/conformance/kelvora-conformance-window
picture=$root/docs/editor.png
# Wine in the prefix the build's tests run in, made on first use.
prefix=$win/wineprefix
wine_run=$root/cmake/toolchains/wine-run.sh

logs=$win/check-windows-host
rm -rf "$logs"
mkdir -p "$logs/results"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-windows-host.XXXXXX")
servers=()
cleanup() {
  local pid
  [ -f "$scratch/host.pid" ] && kill "$(cat "$scratch/host.pid")" 2>/dev/null
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT
# shellcheck source=scripts/conformance-common.sh
source "$root/scripts/conformance-common.sh"

# Wine starts the host with its current folder on the Z: drive, which is the whole file
# system, so the host takes absolute Linux paths as they are. Every run has the X server:
# the first program of a Wine session starts the session's desktop on the display it has, and
# the later ones share that desktop.
host_run() { DISPLAY=$display "$wine_run" "$prefix" "$host" "$@"; }

# --- renders -----------------------------------------------------------------------------
# The settings the Linux hosts' checks also render (scripts/conformance.sh).
render_cases=(
  "defaults"
  "oversampling-8x-input-gain-200|Oversampling=3|Input Gain=200"
  "mid-settings|Input Gain=80|Wet=100|Tame=0.25|Output Gain=90|Bias=0.3|Oversampling=2"
)

# The Linux hosts' programme (0.6 s), rendered by the host and by Linux alike; the host's own
# copy of it must be the one Linux makes.
render_demo() {
  host_run demo "$logs/programme-windows.wav" --programme || return 1
  "$audio" signal "$logs/programme.wav" 0.6 48000 || return 1
  "$audio" compare "$logs/programme-windows.wav" "$logs/programme.wav" "$logs/programme.wav" \
    input 1e-6
}

render_case() {
  local name=$1
  shift
  local windows_wav=$logs/windows-$name.wav reference=$logs/direct-$name.wav
  host_run render "$bundle" "$windows_wav" --programme "$@" || return 1
  "$render" --direct "$logs/programme.wav" "$reference" "$@" || return 1
  "$audio" compare "$windows_wav" "$reference" "$logs/programme.wav" processed 5e-4
}

# --- editor ------------------------------------------------------------------------------
editor_log=$logs/editor-host.log

# Waits until the host's output has a line matching the pattern, or the host has ended.
await_line() {
  local pattern=$1 seconds=$2 pid=$3 deadline=$((SECONDS + $2))
  while [ $SECONDS -lt $deadline ]; do
    grep -q "$pattern" "$editor_log" && return 0
    kill -0 "$pid" 2>/dev/null || { grep -q "$pattern" "$editor_log"; return; }
    sleep 0.2
  done
  echo "no line matching \"$pattern\" from the host within $seconds s"
  return 1
}

# Opens the editor in the host under its own X server; the host must end with status 0 after
# closing it. When the host cannot read the editor's picture back in process (Wine 8 on Xvfb
# keeps a GL child window's frame in that window's own X window), the editor is photographed
# there with the window tool while the host holds it.
editor_session() {
  local pid status=0 hold=$scratch/photographed
  : >"$editor_log"
  host_run editor "$bundle" "$logs/editor-in-process.png" \
    --reference "$picture" --hold "$hold" >"$editor_log" 2>&1 &
  pid=$!
  echo "$pid" >"$scratch/host.pid"
  if await_line '^picture: ' 120 "$pid" && grep -q '^picture: none in process' "$editor_log"; then
    echo "no picture in process; photographing the editor's own X window"
    if await_line '^holding until' 30 "$pid"; then
      DISPLAY=$display "$window" check 815 505 "$picture" "$logs/editor-x11.png" 30 0 offscreen \
        >"$logs/editor-x11.log" 2>&1
      echo $? >"$logs/editor-x11.status"
      cat "$logs/editor-x11.log"
    fi
    touch "$hold"
  fi
  if ! timeout 120 tail --pid="$pid" -f /dev/null; then
    echo "the host still runs 120 s on; stopping it"
    kill "$pid"
  fi
  wait "$pid" || status=$?
  rm -f "$scratch/host.pid"
  echo "host exit status $status; its output:"
  cat "$editor_log"
  grep -q '^closed$' "$editor_log" && [ $status -eq 0 ]
}

editor_opens() {
  grep -q '^view: 815 x 505$' "$editor_log" && grep -q '^editor window: 815 x 505$' "$editor_log"
}

# The same rule as the window tool's check: mean difference at most 6 / 255, at most 2 % of
# the pixels more than 48 apart in some channel.
editor_picture() {
  local line
  line=$(grep '^picture: ' "$editor_log") || { echo "the host reported no picture"; return 1; }
  echo "$line"
  if [[ $line == "picture: none in process" ]]; then
    if [ ! -f "$logs/editor-x11.status" ]; then
      echo "the editor's X window was not photographed"
      return 1
    fi
    cat "$logs/editor-x11.log"
    return "$(cat "$logs/editor-x11.status")"
  fi
  [[ $line =~ mean\ difference\ ([0-9.]+)\ /\ 255,\ ([0-9.]+)\ %\ of\ pixels\ apart ]] || return 1
  awk -v mean="${BASH_REMATCH[1]}" -v apart="${BASH_REMATCH[2]}" \
    'BEGIN { exit !(mean <= 6 && apart <= 2) }'
}

# A drag up must raise the value, one down lower it, and the host must have seen the edit.
editor_drag() {
  local title=$1 line
  line=$(grep "^drag \"$title\" " "$editor_log") || { echo "no drag on $title"; return 1; }
  echo "$line"
  [[ $line =~ px\ (up|down)\ .*before\ ([0-9.]+)\ after\ ([0-9.]+).*\ ([0-9]+)\ perform ]] ||
    return 1
  awk -v way="${BASH_REMATCH[1]}" -v before="${BASH_REMATCH[2]}" -v after="${BASH_REMATCH[3]}" \
    -v performed="${BASH_REMATCH[4]}" \
    'BEGIN { moved = after - before
             exit !(performed > 0 && (way == "up" ? moved > 0 : moved < 0)) }'
}

# --- run ---------------------------------------------------------------------------------
stage_start=$SECONDS
if [ ! -f "$bundle/Contents/x86_64-win/Kelvora.vst3" ]; then
  record 00-bundle FAIL 0 "no $bundle/Contents/x86_64-win/Kelvora.vst3"
elif ! start_x_server 1920x1080; then
  record 00-display FAIL 0 "cannot start Xvfb"
else
  # A session still open in the prefix (the build's tests) may have its desktop on no display
  # or another one: it ends first.
  WINEPREFIX=$prefix wineserver -w
  run_check "10-render programme input" render_demo
  id=10
  for case in "${render_cases[@]}"; do
    IFS='|' read -r -a fields <<<"$case"
    id=$((id + 1))
    run_check "$id-render ${fields[0]}" render_case "${fields[@]}"
  done

  run_check "20-editor opened, closed, host ends" editor_session
  run_check "21-editor opens at 815x505" editor_opens
  run_check "22-editor picture" editor_picture
  run_check "23-editor drag on Input Gain up" editor_drag "Input Gain"
  run_check "24-editor drag on Wet down" editor_drag Wet
fi

# --- summary -----------------------------------------------------------------------------
failed=0
echo
printf '%-46s %-6s %7s  %s\n' "Windows host check" Result Seconds Note
printf '%-46s %-6s %7s  %s\n' "------------------" ------ ------- ----
for file in "$logs"/results/*; do
  IFS=$'\t' read -r result seconds note <"$file"
  printf '%-46s %-6s %7s  %s\n' "$(basename "$file" | cut -d- -f2-)" "$result" "$seconds" "$note"
  [ "$result" = FAIL ] && failed=$((failed + 1))
done
echo "Windows host checks: $((SECONDS - stage_start)) s; logs in $logs"
if [ $failed -gt 0 ]; then
  for file in "$logs"/results/*; do
    grep -q '^FAIL' "$file" || continue
    log=$(log_of "$(basename "$file")")
    echo
    echo "== $(basename "$file" | cut -d- -f2-): ${log#"$root"/}"
    grep -E 'FAIL|rror|cannot|does not|no |exit status' "$log" | head -n 8 || tail -n 8 "$log"
  done
  echo "$failed Windows host check(s) failed"
  exit 1
fi
