#!/usr/bin/env bash
# Checks the Release bundle in programs we did not write: Steinberg's validator, pluginval in
# its default order and in random orders (seeds 1 to 20 and 22), Steinberg's editor host
# under a virtual X server, and renders in Ardour compared with kelvora-render. A tool that
# is not installed is skipped with the reason and the rest still run. Ends with a table of
# every check; the exit status is non-zero when any check failed. Arguments pick groups of
# checks (validator, pluginval, editorhost, ardour); without any, all run.
#
# Tools: ../shared/tools/bin/{validator,pluginval,editorhost} from the project's root, or the
# programs named by KELVORA_VALIDATOR, KELVORA_PLUGINVAL and KELVORA_EDITORHOST; Ardour's
# ardour7-lua from PATH or KELVORA_ARDOUR_LUA, its VST 3 scanner from /usr/lib/ardour7 or
# KELVORA_ARDOUR_VST3_SCANNER. KELVORA_CONFORMANCE_BUILD picks the build
# folder (default build/release); the logs stay in its conformance/ folder.
set -uo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.." || exit 1
root=$PWD
groups=("$@")
for group in "${groups[@]}"; do
  case $group in
  validator | pluginval | editorhost | ardour) ;;
  *)
    echo "usage: scripts/conformance.sh [validator] [pluginval] [editorhost] [ardour]" >&2
    exit 2
    ;;
  esac
done

build=${KELVORA_CONFORMANCE_BUILD:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_BENCH=OFF -DKELVORA_TESTS=ON >/dev/null || exit 1
cmake --build "$build" -j "$(nproc)" --target Kelvora kelvora-render kelvora-conformance-audio \
  kelvora-conformance-window || exit 1
build=$(cd "$build" && pwd)
bundle=$build/Kelvora.vst3
render=$build/tools/kelvora-render
audio=$build/tests/conformance/kelvora-conformance-audio
window=$build/tests/conformance/kelvora-conformance-window

logs=$build/conformance
rm -rf "$logs"
mkdir -p "$logs/results"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-conformance.XXXXXX")
servers=()
cleanup() {
  local pid
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# --- results ---------------------------------------------------------------------------
# One file per check: result, seconds, note. The numbered prefix keeps the table in order.
record() { printf '%s\t%s\t%s\n' "$2" "$3" "${4:-}" >"$logs/results/$1"; }

log_of() { echo "$logs/$(echo "${1#*-}" | tr ' ' '-').log"; }

# Runs a check's function with its output in the check's log.
run_check() {
  local id=$1 log
  shift
  log=$(log_of "$id")
  local start=$SECONDS status=0
  "$@" >"$log" 2>&1 || status=$?
  case $status in
  0) record "$id" PASS $((SECONDS - start)) ;;
  "$host_fault") record "$id" HOST $((SECONDS - start)) "known host fault: see below" ;;
  *) record "$id" FAIL $((SECONDS - start)) "see ${log#"$root"/}" ;;
  esac
}

# A check's exit status that means: failed only by the host's own known fault (see
# pluginval_random_check).
host_fault=3

# Two checks at a time: the machines the test command runs on have two cores.
queue() {
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
  run_check "$@" &
}

# --- tools -------------------------------------------------------------------------------
# Sets tool to the program's path, or to nothing with the reason in why.
find_tool() {
  local variable=$1 name=$2 value=${!1:-}
  tool="" why=""
  if [ -n "$value" ]; then
    if [ -x "$value" ]; then tool=$value; else why="$variable=$value is not an executable"; fi
  elif [ -x "$root/../shared/tools/bin/$name" ]; then
    tool=$(cd "$root/../shared/tools/bin" && pwd)/$name
  else
    why="no ../shared/tools/bin/$name and $variable is not set"
  fi
}

# A virtual X server of our own per use, kept across client exits (-noreset): Steinberg's
# editor host needs atoms that outlive the client that made them.
start_x_server() {
  local n i pid
  for n in $(seq 150 250); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    pid=$(
      Xvfb ":$n" -screen 0 1920x1200x24 -noreset -nolisten tcp >"$logs/xvfb-$n.log" 2>&1 &
      echo $!
    )
    for i in $(seq 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        servers+=("$pid")
        display=":$n"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
  done
  return 1
}

# --- Steinberg's validator ---------------------------------------------------------------
validator_check() {
  timeout 600 "$validator" -e "$bundle"
}

# --- pluginval ---------------------------------------------------------------------------
pluginval_check() {
  DISPLAY=$pluginval_display timeout 900 "$pluginval" --strictness-level 10 "$@" \
    --validate "$bundle"
}

# pluginval 1.0.3 is built on JUCE 7.0.2, whose VST 3 host keeps parameter values set from a
# background thread in its own cache and hands them to the plug-in only with the next audio
# block (JUCE 7.0.5 also sends them to the edit controller on its message thread). In these
# orders no audio block runs between the last test that sets values and "Plugin state
# restoration", so the plug-in never receives them, saves what it was given, and the test
# compares with the host's undelivered value; the first parameter it checks ("Bypass") fails.
# Traced with gdb and call logs: the plug-in receives no call at all in between. Such a seed
# counts as a host fault only when that one message is its only failure; anything else fails.
pluginval_host_fault_seeds=" 1 8 11 13 14 "
pluginval_random_check() {
  local seed=$1 out status=0
  out=$(mktemp "$scratch/pluginval.XXXXXX")
  pluginval_check --randomise --random-seed "$seed" >"$out" 2>&1 || status=$?
  cat "$out"
  [ "$status" -eq 0 ] && return 0
  if [[ "$pluginval_host_fault_seeds" == *" $seed "* ]] &&
    [ "$(grep -c '^!!! ' "$out")" -eq 1 ] &&
    grep -q '^!!! Test 1 failed: Bypass not restored on setStateInformation' "$out" &&
    [ "$(grep -c '^FAILED!!' "$out")" -eq 1 ] &&
    grep -B2 '^!!! ' "$out" | grep -q 'Starting tests in: pluginval / Plugin state restoration'; then
    echo "HOST FAULT: only pluginval's own undelivered-value failure (see scripts/conformance.sh)"
    return "$host_fault"
  fi
  return "$status"
}

# --- Steinberg's editor host -------------------------------------------------------------
# The editor must open embedded at 815 x 505 showing its artwork (as docs/editor.png), and
# closing the host's window must end the host cleanly.
editorhost_check() {
  local pid status=0 i
  export DISPLAY=$editorhost_display
  "$window" intern _XEMBED_INFO || return 1
  timeout 120 "$editorhost" "$bundle" >"$logs/editorhost-output.log" 2>&1 &
  pid=$!
  "$window" check 815 505 "$root/docs/editor.png" "$logs/editorhost.png" 30 "$pid" || status=1
  if kill -0 "$pid" 2>/dev/null; then "$window" close 815 505 || status=1; fi
  for i in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "editorhost still runs 10 s after its window was asked to close"
    kill "$pid"
    status=1
  fi
  wait "$pid"
  i=$?
  echo "editorhost exit status $i; its output:"
  cat "$logs/editorhost-output.log"
  [ "$i" -eq 0 ] && [ "$status" -eq 0 ]
}

# --- Ardour ------------------------------------------------------------------------------
# Each render runs Ardour in a fresh copy of one prepared session: a stereo track holding the
# programme, Kelvora inserted first, its controls set, the master bus exported.
ardour_cases=(
  "defaults|processed"
  "oversampling-8x-input-gain-200|processed|Oversampling=3|Input Gain=200"
  "react|processed|React=1"
  "delta|processed|Delta=1"
  "mid-settings|processed|Input Gain=80|Wet=100|Tame=0.25|Output Gain=90|Bias=0.3|Oversampling=2"
  "host-bypass|input|Input Gain=200|host-bypass"
)
# 0.6 s at 48 kHz: a tenth of a second of silence, the rising tone and the decaying chord, a tail.
ardour_rate=48000
ardour_seconds=0.6
ardour_frames=28800

# Ardour reads its settings, plug-in list and export presets from the user's folders: give it
# folders of its own, with Kelvora the only VST 3 it finds.
ardour_environment() {
  export HOME=$scratch/ardour-home XDG_CONFIG_HOME=$scratch/ardour-home/.config
  export XDG_CACHE_HOME=$scratch/ardour-home/.cache VST3_PATH=$scratch/vst3
}
ardour_preset=5b0f4c2e-1d7a-4f3b-9a61-6c2e8d4b7f10

ardour_prepare() {
  local channel side take
  ardour_environment
  mkdir -p "$XDG_CONFIG_HOME/ardour7/export" "$VST3_PATH"
  cp "$root/tests/conformance/ardour/float-wav.preset" "$XDG_CONFIG_HOME/ardour7/export/"
  # Ardour lists only plug-ins its scanner has indexed, and trusts the index only when it is
  # newer than the module to the second: a bundle linked a moment ago would be left out. It
  # gets a copy dated a minute back.
  cp -r "$bundle" "$VST3_PATH/Kelvora.vst3"
  find "$VST3_PATH/Kelvora.vst3" -exec touch -h -d "@$(($(date +%s) - 60))" {} +
  LD_LIBRARY_PATH=$(dirname "$ardour_scanner") "$ardour_scanner" -f "$VST3_PATH/Kelvora.vst3" ||
    return 1
  "$audio" signal "$scratch/programme.wav" "$ardour_seconds" "$ardour_rate" || return 1
  timeout 120 "$ardour_lua" "$root/tests/conformance/ardour/make-session.lua" \
    "$scratch/session" kelvora "$ardour_rate" "$ardour_frames" || return 1
  for channel in 0 1; do
    side=$([ $channel = 0 ] && echo L || echo R)
    take=$(find "$scratch/session/interchange" -name "*%$side.wav")
    if [ -z "$take" ] || [ "$(echo "$take" | wc -l)" != 1 ]; then
      echo "expected one recorded take per channel, found: $take"
      return 1
    fi
    "$audio" fill-take "$scratch/programme.wav" "$channel" "$take" || return 1
  done
}

# Ardour's export sometimes aborts in its own teardown (no plug-in code on the stack), so a
# render that dies from a signal is tried once more; the log says so.
ardour_render() {
  local name=$1 attempt status
  shift
  for attempt in 1 2; do
    rm -rf "$scratch/render-$name"
    cp -a "$scratch/session" "$scratch/render-$name"
    timeout 120 "$ardour_lua" "$root/tests/conformance/ardour/render.lua" \
      "$scratch/render-$name" kelvora "$ardour_preset" "$logs/ardour" "ardour-$name" \
      "$ardour_frames" "$@"
    status=$?
    rm -rf "$scratch/render-$name"
    [ $status -eq 0 ] && [ -f "$logs/ardour/ardour-$name.wav" ] && return 0
    [ $status -gt 128 ] && [ $attempt = 1 ] || return 1
    echo "RETRY: Ardour's render ended by signal $((status - 128)); rendering once more"
  done
}

ardour_case() {
  local name=$1 expect=$2 settings=()
  shift 2
  settings=("$@")
  ardour_environment
  ardour_render "$name" "${settings[@]}" || return 1
  local reference=$scratch/programme.wav plugin_settings=()
  local setting
  for setting in "${settings[@]}"; do
    [ "$setting" = host-bypass ] || plugin_settings+=("$setting")
  done
  if [ "$expect" = processed ]; then
    reference=$logs/ardour/direct-$name.wav
    "$render" --direct "$scratch/programme.wav" "$reference" "${plugin_settings[@]}" || return 1
  fi
  "$audio" compare "$logs/ardour/ardour-$name.wav" "$reference" "$scratch/programme.wav" \
    "$expect" 5e-4
}

ardour_all() {
  local case fields id=30 check result seconds note
  run_check "$id-ardour session" ardour_prepare
  if grep -q '^PASS' "$logs/results/$id-ardour session"; then
    for case in "${ardour_cases[@]}"; do
      IFS='|' read -r -a fields <<<"$case"
      id=$((id + 1))
      check="$id-ardour ${fields[0]}"
      run_check "$check" ardour_case "${fields[@]}"
      if grep -q 'RETRY' "$(log_of "$check")"; then
        IFS=$'\t' read -r result seconds note <"$logs/results/$check"
        record "$check" "$result" "$seconds" \
          "rendered twice: Ardour died by a signal${note:+; $note}"
      fi
    done
  fi
  return 0
}

# --- run ---------------------------------------------------------------------------------
wanted() {
  [ ${#groups[@]} -eq 0 ] && return 0
  local group
  for group in "${groups[@]}"; do [ "$group" = "$1" ] && return 0; done
  return 1
}
stage_start=$SECONDS
mkdir -p "$logs/ardour"

ardour_lua=${KELVORA_ARDOUR_LUA:-$(command -v ardour7-lua || true)}
ardour_scanner=${KELVORA_ARDOUR_VST3_SCANNER:-/usr/lib/ardour7/ardour-vst3-scanner}
if ! wanted ardour; then
  :
elif [ -n "${KELVORA_ARDOUR_LUA:-}" ] && [ ! -x "$ardour_lua" ]; then
  record "30-ardour renders" SKIP 0 "KELVORA_ARDOUR_LUA=$ardour_lua is not an executable"
elif [ -z "$ardour_lua" ] || [ ! -x "$ardour_scanner" ]; then
  record "30-ardour renders" SKIP 0 \
    "no ardour7-lua on PATH or no $ardour_scanner (scripts/setup.sh installs ardour)"
else
  ardour_all &
fi

# True with tool set when the group is wanted and its tool found; a missing tool is recorded
# as the group's skip.
tool_for() {
  local group=$1 id=$2 variable=$3
  wanted "$group" || return 1
  find_tool "$variable" "$group"
  [ -n "$tool" ] && return 0
  record "$id" SKIP 0 "$why"
  return 1
}

# True with display set to a server of the group's own; without one the group fails.
display_for() {
  start_x_server && return 0
  record "$1" FAIL 0 "cannot start Xvfb"
  return 1
}

if tool_for validator 10-validator KELVORA_VALIDATOR; then
  validator=$tool
  queue 10-validator validator_check
fi

if tool_for editorhost 20-editorhost KELVORA_EDITORHOST && display_for 20-editorhost; then
  editorhost=$tool editorhost_display=$display
  queue 20-editorhost editorhost_check
fi

if tool_for pluginval 40-pluginval KELVORA_PLUGINVAL && display_for 40-pluginval; then
  pluginval=$tool pluginval_display=$display
  queue "40-pluginval default order" pluginval_check
  # Seed 22 is the order that once found subnormal numbers in the output.
  for seed in $(seq 1 20) 22; do
    queue "$(printf '%02d' $((40 + seed)))-pluginval random order seed $seed" \
      pluginval_random_check "$seed"
  done
fi
wait

# --- summary -----------------------------------------------------------------------------
failed=0 skipped=0
echo
printf '%-46s %-6s %7s  %s\n' "Conformance check" Result Seconds Note
printf '%-46s %-6s %7s  %s\n' "-----------------" ------ ------- ----
for file in "$logs"/results/*; do
  IFS=$'\t' read -r result seconds note <"$file"
  printf '%-46s %-6s %7s  %s\n' "$(basename "$file" | cut -d- -f2-)" "$result" "$seconds" "$note"
  [ "$result" = FAIL ] && failed=$((failed + 1))
  [ "$result" = SKIP ] && skipped=$((skipped + 1))
done
echo "Conformance stage: $((SECONDS - stage_start)) s; logs in $logs"
[ $skipped -gt 0 ] && echo "$skipped group(s) of checks skipped: the table says why"
if grep -qs '^HOST' "$logs"/results/*; then
  echo "HOST: pluginval's JUCE 7.0.2 host never hands the plug-in the values it compares with"
  echo "(the only failure of those orders; see pluginval_random_check in this script)"
fi
if [ $failed -gt 0 ]; then
  for file in "$logs"/results/*; do
    grep -q '^FAIL' "$file" || continue
    echo
    log=$(log_of "$(basename "$file")")
    echo "== $(basename "$file" | cut -d- -f2-): ${log#"$root"/}"
    grep -E '!!!|FAIL|rror|RETRY|exit status|no window|not show|still runs|does not' "$log" |
      head -n 8 || tail -n 8 "$log"
  done
  echo "$failed conformance check(s) failed"
  exit 1
fi
