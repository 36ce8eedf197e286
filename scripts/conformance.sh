#!/usr/bin/env bash
# Checks the Release bundle in programs we did not write: Steinberg's validator, pluginval in
# its default order and in random orders (seeds 1 to 30), Steinberg's editor host under a
# virtual X server, renders in Ardour compared with kelvora-render, and the editor in Ardour's
# own GUI driven as a user drives it (opened from the mixer strip, hovered, knobs dragged, the
# window resized, closed, reopened, the session saved, Ardour quit and started again), and the
# LV2 plug-in's editor there too (opened, knobs dragged, closed, reopened, Ardour quit); and
# Kelvora.lv2 in LV2's hosts and tools (scripts/conformance-lv2.sh). A tool
# that is not installed is skipped with the reason and the rest still run. Ends with a table of
# every check; the exit status is non-zero when any check failed. Arguments pick groups of
# checks (validator, pluginval, editorhost, ardour, ardour-gui, lv2); without any, all run.
#
# Tools: ../shared/tools/bin/{validator,pluginval,editorhost} from the project's root, or the
# programs named by KELVORA_VALIDATOR, KELVORA_PLUGINVAL and KELVORA_EDITORHOST; Ardour's
# ardour7-lua from PATH or KELVORA_ARDOUR_LUA, its GUI (ardour7 or Debian's ardour) from PATH
# or KELVORA_ARDOUR, its VST 3 scanner from /usr/lib/ardour7 or KELVORA_ARDOUR_VST3_SCANNER;
# for the GUI also openbox and xdotool. KELVORA_CONFORMANCE_BUILD picks the build
# folder (default build/release); the logs stay in its conformance/ folder.
set -uo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.." || exit 1
root=$PWD
groups=("$@")
for group in "${groups[@]}"; do
  case $group in
  validator | pluginval | editorhost | ardour | ardour-gui | lv2) ;;
  *)
    echo "usage: scripts/conformance.sh [validator] [pluginval] [editorhost] [ardour]" \
      "[ardour-gui] [lv2]" >&2
    exit 2
    ;;
  esac
done

build=${KELVORA_CONFORMANCE_BUILD:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_BENCH=OFF -DKELVORA_TESTS=ON >/dev/null || exit 1
cmake --build "$build" -j "$(nproc)" --target Kelvora Kelvora_lv2 kelvora-render \
  kelvora-conformance-audio kelvora-conformance-window kelvora-conformance-editor || exit 1
build=$(cd "$build" && pwd)
bundle=$build/Kelvora.vst3
bundle_lv2=$build/Kelvora.lv2
render=$build/tools/kelvora-render
audio=$build/tests/conformance/kelvora-conformance-audio
window=$build/tests/conformance/kelvora-conformance-window
editor=$build/tests/conformance/kelvora-conformance-editor

logs=$build/conformance
rm -rf "$logs"
mkdir -p "$logs/results"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvora-conformance.XXXXXX")
servers=()
cleanup() {
  local pid
  for pid in "$scratch"/gui-*.pid; do kill "$(cat "$pid")" 2>/dev/null; done
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# shellcheck source=scripts/conformance-common.sh
source "$root/scripts/conformance-common.sh"

# --- Steinberg's validator ---------------------------------------------------------------
validator_check() {
  timeout 600 "$validator" -e "$bundle"
}

# --- pluginval ---------------------------------------------------------------------------
pluginval_check() {
  DISPLAY=$pluginval_display timeout 900 "$pluginval" --strictness-level 10 "$@" \
    --validate "$bundle"
}

pluginval_random_check() {
  pluginval_check --randomise --random-seed "$1"
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
  ardour_make_session "$scratch/session" "$scratch/programme.wav"
}

ardour_case() {
  local name=$1 expect=$2 settings=()
  shift 2
  settings=("$@")
  ardour_environment
  ardour_export "$scratch/session" "$logs/ardour" "$name" "${settings[@]}" || return 1
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

# --- Ardour's GUI ------------------------------------------------------------------------
# Kelvora in Ardour's own window, as a user works: Ardour finds the bundle in ~/.vst3 (the VST 3
# plug-in) or ~/.lv2 (the LV2 one) of a home of its own, opens a session with Kelvora on a
# stereo track, runs on its built-in dummy audio backend, and its editor is opened from the
# mixer strip and driven with the pointer under a window manager. One Ardour at a time: the
# VST 3 plug-in's steps, then the LV2 plug-in's in an Ardour started afresh.
# Each step is a row of the table; its log, and the screenshots, stay in conformance/.
gui_screen=1600x1000
gui_picture=$root/docs/editor.png
# The editor's picture is 815 x 505; knobs by name: centre on that picture, the host's range.
declare -A gui_knob=(["Input Gain"]="133 167 200" [Tame]="133 365 1" ["Output Gain"]="510 365 120"
  [Wet]="688 365 100")

# The plug-in the next steps work on: VST3 or LV2, each with a home, a session, logs and
# screenshots of its own.
gui_use() {
  gui_format=$1 gui_pid="" gui_plug=""
  case $gui_format in
  VST3) gui_identifier=Kelvora gui_tag="" ;;
  LV2) gui_identifier=$(lv2_uri 0) gui_tag=lv2- ;;
  esac
  gui_shots=$logs/ardour-gui${gui_tag:+-${gui_tag%-}}
}

gui_environment() {
  local home=$scratch/gui-${gui_tag}home
  export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache DISPLAY=$gui_display
  gui_session=$scratch/gui-${gui_tag}session/kelvora.ardour
  # Ardour reads the LV2 plug-ins of LV2_PATH when it starts: those in ~/.lv2, with the LV2
  # vocabularies and no other plug-in.
  [ "$gui_format" = VST3 ] || export LV2_PATH=$home/.lv2
}

# As for the renders: Ardour's index of a VST 3 bundle must be newer than the module.
gui_install_vst3() {
  mkdir -p "$HOME/.vst3"
  cp -r "$bundle" "$HOME/.vst3/Kelvora.vst3"
  find "$HOME/.vst3/Kelvora.vst3" -exec touch -h -d "@$(($(date +%s) - 60))" {} +
  LD_LIBRARY_PATH=$(dirname "$ardour_scanner") "$ardour_scanner" -f "$HOME/.vst3/Kelvora.vst3"
}

gui_install_lv2() { lv2_host_folder "$HOME/.lv2" "$bundle_lv2"; }

# Ardour's first-run questions are answered by the settings it would have saved: its config
# (tests/conformance/ardour/gui-config.xml) and the mark that it has run before.
gui_prepare() {
  gui_environment
  mkdir -p "$XDG_CONFIG_HOME/ardour7" "$gui_shots"
  cp "$root/tests/conformance/ardour/gui-config.xml" "$XDG_CONFIG_HOME/ardour7/config"
  touch "$XDG_CONFIG_HOME/ardour7/.a7"
  if [ "$gui_format" = VST3 ]; then gui_install_vst3; else gui_install_lv2; fi || return 1
  openbox --sm-disable >"$logs/ardour-gui-${gui_tag}openbox.log" 2>&1 &
  echo $! >"$scratch/gui-openbox.pid"
  timeout 120 "$ardour_lua" "$root/tests/conformance/ardour/make-gui-session.lua" \
    "$(dirname "$gui_session")" kelvora 48000 "$gui_format" "$gui_identifier"
}

gui_screenshot() { import -window root "$gui_shots/$1.png" 2>/dev/null; }

# Starts Ardour on the session; its main window must come up with no dialog beside it.
gui_launch_once() {
  local window geometry others=""
  ardour_log=$logs/ardour-gui-${gui_tag}ardour-$1.log
  "$ardour_gui" --no-announcements --no-splash "$gui_session" >"$ardour_log" 2>&1 &
  gui_pid=$!
  echo $gui_pid >"$scratch/gui-ardour.pid"
  # A window that goes away while xdotool walks the tree (Ardour makes short-lived ones while it
  # starts) ends that search with BadWindow; the next search walks the tree anew.
  local deadline=$((SECONDS + 90))
  gui_main=""
  while [ -z "$gui_main" ] && [ $SECONDS -lt $deadline ] && kill -0 "$gui_pid" 2>/dev/null; do
    gui_main=$(xdotool search --onlyvisible --name ' - Ardour$' 2>/dev/null | head -n 1)
    [ -n "$gui_main" ] || sleep 0.5
  done
  sleep 3
  gui_screenshot "$1"
  if [ -z "$gui_main" ] || ! kill -0 "$gui_pid" 2>/dev/null; then
    echo "Ardour's main window did not stay up in 90 s (screenshot $1.png)"
    return 1
  fi
  # Ardour keeps a few tiny windows of its own off the screen; a dialog is larger.
  for window in $(xdotool search --onlyvisible --name '.'); do
    [ "$window" = "$gui_main" ] && continue
    geometry=$(xdotool getwindowgeometry --shell "$window" | tr '\n' ' ')
    [[ $geometry =~ WIDTH=([0-9]+)\ HEIGHT=([0-9]+) ]] || continue
    [ "${BASH_REMATCH[1]}" -ge 100 ] && [ "${BASH_REMATCH[2]}" -ge 50 ] || continue
    xdotool getwindowname "$window" | grep -q ': Kelvora (by' && continue
    others+=" \"$(xdotool getwindowname "$window")\""
  done
  if [ -n "$others" ]; then
    echo "Ardour shows windows beside its main window:$others (screenshot $1.png)"
    return 1
  fi
  echo "Ardour's main window 0x$(printf '%x' "$gui_main"), no dialog"
}

# A start whose main window does not come up, or goes away, is tried once more; the log says
# so. A dialog beside the main window is Ardour asking something and fails at once.
gui_launch() {
  gui_launch_once "$1" && return 0
  [ -z "$gui_main" ] || ! kill -0 "$gui_pid" 2>/dev/null || return 1
  echo "RETRY: Ardour's main window did not come up or did not stay; starting it once more"
  kill "$gui_pid" 2>/dev/null
  timeout 20 tail --pid="$gui_pid" -f /dev/null || kill -KILL "$gui_pid"
  wait "$gui_pid" 2>/dev/null
  gui_launch_once "$1-again"
}

# The user's way in: the mixer (Alt+M switches between it and the editor window when it is not
# shown yet), then a double-click on Kelvora's entry in the strip, which Ardour paints in its
# pre-fader plug-in red.
gui_open_editor_once() {
  local point
  xdotool windowactivate --sync "$gui_main"
  # A pointer resting on the entry repaints it in its hover colour, which the search misses.
  gui_pointer_away
  if ! point=$("$editor" locate "$gui_main" 7c3a3a 2>/dev/null); then
    xdotool key alt+m
    sleep 2
    point=$("$editor" locate "$gui_main" 7c3a3a) || { echo "$point"; return 1; }
  fi
  # shellcheck disable=SC2086 # the point is two numbers
  xdotool mousemove $point click --repeat 2 --delay 120 1
  gui_plug=$(timeout 20 xdotool search --sync --onlyvisible --name ': Kelvora \(by' | head -n 1)
  [ -n "$gui_plug" ]
}

# The editor maps its window inside the host's a moment after the host's window appears.
gui_editor_mapped() {
  local i
  for i in $(seq 50); do
    "$editor" area "$gui_plug" >/dev/null && break
    sleep 0.2
  done
  xwininfo -tree -id "$gui_plug" | grep -E '^ +0x'
  "$editor" area "$gui_plug"
}

gui_open_editor() {
  if ! gui_open_editor_once; then
    gui_screenshot "$1-missed"
    echo "RETRY: no plug-in window after a double-click on Kelvora's entry ($1-missed.png)"
    gui_open_editor_once || { echo "no plug-in window opened"; return 1; }
  fi
  echo "plug-in window 0x$(printf '%x' "$gui_plug"): $(xdotool getwindowname "$gui_plug")"
  gui_editor_mapped
}

# The pointer rests outside every window, where no hover or tooltip draws.
gui_pointer_away() {
  xdotool mousemove "${gui_screen%x*}" "${gui_screen#*x}"
  sleep 1
}

gui_picture_check() {
  gui_pointer_away
  "$editor" picture "$gui_plug" "$gui_picture" "$gui_shots/$1.png" 10 "$gui_shots/$1-seen.png"
}

# A drag of some pixels up (negative: down) from where the knob is drawn now.
gui_drag() {
  local name=$1 pixels=$2 x y step point
  read -r x y _ <<<"${gui_knob[$name]}"
  point=$("$editor" point "$gui_plug" "$gui_picture" "$x" "$y") || { echo "$point"; return 1; }
  read -r x y <<<"$point"
  echo "dragging $name from $x,$y by $pixels pixels up"
  xdotool mousemove "$x" "$y"
  sleep 0.3
  xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove "$x" $((y - pixels * step / 8))
    sleep 0.05
  done
  xdotool mouseup 1
  gui_pointer_away
}

# Ctrl+S in the plug-in window saves the session as in any of Ardour's windows.
gui_save() {
  local before i
  before=$(date -r "$gui_session" +%s.%N)
  xdotool windowactivate --sync "$gui_plug" key ctrl+s
  for i in $(seq 50); do
    [ "$(date -r "$gui_session" +%s.%N)" != "$before" ] && sleep 0.5 && return 0
    sleep 0.2
  done
  echo "Ctrl+S did not save the session"
  return 1
}

# A control's value as the saved session holds it: VST 3's parameter by its name, LV2's
# control port by its symbol.
gui_value() {
  local element
  if [ "$gui_format" = VST3 ]; then
    element="Controllable name=\"$1\""
  else
    element="Port symbol=\"$(lv2_symbol_of "$1")\""
  fi
  grep -o "<${element}[^>]*" "$gui_session" | sed -n 's/.* value="\([^"]*\)".*/\1/p'
}

# The editor's knob shows the saved value.
gui_knob_shows() {
  local x y range value
  read -r x y range <<<"${gui_knob[$1]}"
  value=$(gui_value "$1")
  echo "$1 in the saved session: $value"
  "$editor" knob "$gui_plug" "$gui_picture" "$x" "$y" "$(awk "BEGIN { print $value / $range }")"
}

# Drags a knob where it is drawn, saves, and expects the saved value to have moved that way
# and the knob to show it.
gui_drag_once() {
  local name=$1 pixels=$2 before after
  before=$(gui_value "$name")
  gui_drag "$name" "$pixels" || return 1
  gui_save || return 1
  after=$(gui_value "$name")
  echo "$name: $before before the drag, $after after"
  awk "BEGIN { exit !(($after - $before) * $pixels > 0) }"
}

# xdotool's synthetic drags under a loaded X server have once moved a knob the wrong way; one
# more drag is allowed, and the log and the table say so.
gui_drag_changes() {
  local name=$1 pixels=$2
  if ! gui_drag_once "$name" "$pixels"; then
    gui_screenshot "drag-$(echo "$name" | tr ' ' '-')-missed"
    echo "RETRY: the drag on $name did not move it the way it was dragged; dragging once more"
    if ! gui_drag_once "$name" "$pixels"; then
      echo "the drag on $name where it is drawn did not change it"
      return 1
    fi
  fi
  gui_knob_shows "$name"
}

gui_first_window() {
  local size
  gui_open_editor first-open || return 1
  size=$("$editor" area "$gui_plug" | sed -n 's/^host [^ ]* \([0-9]*\) x \([0-9]*\).*/\1x\2/p')
  gui_picture_check first-open || return 1
  if [ "$size" != 815x505 ]; then
    echo "Ardour's first plug-in window gives the editor $size, not the editor's 815x505"
    return 1
  fi
}

gui_hover() {
  local x y point
  read -r x y _ <<<"${gui_knob[Wet]}"
  point=$("$editor" point "$gui_plug" "$gui_picture" "$x" "$y") || { echo "$point"; return 1; }
  read -r x y <<<"$point"
  xdotool mousemove $((x - 20)) $((y - 20))
  sleep 0.5
  xdotool mousemove "$x" "$y"
  sleep 1.5
  gui_screenshot hover-bubble
  gui_picture_check after-hover
}

# The host sizes the plug-in window (Ardour's toolbar above the editor takes 34 pixels, and
# Ardour keeps the window at least as large as the editor's own size). The window is moved to
# the screen's top left first so that all of it can be photographed.
gui_resized() {
  local name=$1 width=$2 height=$3 knob=$4 pixels=$5 status=0 before after
  before=$("$editor" area "$gui_plug")
  xdotool windowmove --sync "$gui_plug" 0 0
  timeout 10 xdotool windowsize --sync "$gui_plug" "$width" "$height" ||
    echo "the window did not take $width x $height within 10 s"
  sleep 2
  after=$("$editor" area "$gui_plug")
  echo "$after"
  if [ "${before%%;*}" = "${after%%;*}" ] || [ -z "$after" ]; then
    echo "the host's window for the editor kept its size"
    status=1
  fi
  gui_picture_check "$name" || status=1
  gui_drag_changes "$knob" "$pixels" || status=1
  return $status
}

gui_knobs_show_saved() {
  local name status=0
  for name in "Input Gain" Tame "Output Gain" Wet; do
    gui_knob_shows "$name" || status=1
  done
  return $status
}

gui_reopen() {
  "$editor" close "$gui_plug" || return 1
  sleep 2
  if xdotool search --onlyvisible --name ': Kelvora \(by' >/dev/null; then
    echo "the plug-in window is still open after it was asked to close"
    return 1
  fi
  gui_open_editor reopened || return 1
  local status=0
  gui_picture_check reopened || status=1
  gui_knobs_show_saved || status=1
  return $status
}

# Ctrl+Q with the editor open; the session is saved first, so Ardour asks nothing.
gui_quit() {
  local i status
  gui_save || return 1
  xdotool windowactivate --sync "$gui_plug" key ctrl+q
  for i in $(seq 300); do
    kill -0 "$gui_pid" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$gui_pid" 2>/dev/null; then
    gui_screenshot "$1-not-quit"
    echo "Ardour still runs 60 s after Ctrl+Q ($1-not-quit.png)"
    kill "$gui_pid"
    return 1
  fi
  wait "$gui_pid"
  status=$?
  echo "Ardour exit status $status"
  [ $status -eq 0 ]
}

# Ardour started again on the saved session, the editor open (Ardour may reopen it itself).
gui_relaunch() {
  gui_launch relaunched || return 1
  gui_plug=$(timeout 10 xdotool search --sync --onlyvisible --name ': Kelvora \(by' | head -n 1)
  if [ -n "$gui_plug" ]; then
    echo "Ardour reopened the plug-in window itself"
    gui_editor_mapped || return 1
  else
    gui_open_editor relaunched-open || return 1
  fi
  local status=0
  gui_picture_check relaunched || status=1
  gui_knobs_show_saved || status=1
  gui_quit relaunched || status=1
  return $status
}

# Runs one step as a row of the table; a step that needs Ardour running is skipped when an
# earlier one lost it.
gui_step() {
  local id=$1 result seconds note
  shift
  if [ -n "$gui_pid" ] && ! kill -0 "$gui_pid" 2>/dev/null && [ "$1" != gui_relaunch ]; then
    record "$id" FAIL 0 "Ardour is no longer running"
    return
  fi
  run_check "$id" "$@"
  if grep -q '^RETRY' "$(log_of "$id")"; then
    IFS=$'\t' read -r result seconds note <"$logs/results/$id"
    record "$id" "$result" "$seconds" "a step was tried twice: see its log${note:+; $note}"
  fi
}

gui_start() { gui_prepare && gui_launch started; }

# Ardour first, then the window manager it runs under.
gui_stop() {
  local name pid
  for name in ardour openbox; do
    [ -f "$scratch/gui-$name.pid" ] || continue
    pid=$(cat "$scratch/gui-$name.pid")
    kill "$pid" 2>/dev/null && sleep 1
    rm -f "$scratch/gui-$name.pid"
  done
}

# The VST 3 plug-in's steps, rows 80 to 89.
gui_vst3_steps() {
  gui_step "80-ardour-gui Ardour starts on the session" gui_start
  grep -q '^PASS' "$logs/results/80-ardour-gui Ardour starts on the session" || return 0
  gui_step "81-ardour-gui editor opened from the mixer" gui_first_window
  [ -n "$gui_plug" ] || return 0
  gui_step "82-ardour-gui picture after hovering" gui_hover
  gui_step "83-ardour-gui drag on Wet" gui_drag_changes Wet 40
  gui_step "84-ardour-gui larger window 1223x792" gui_resized larger 1223 792 Tame -40
  gui_step "85-ardour-gui wide window 1400x634" gui_resized wide 1400 634 "Output Gain" -40
  gui_step "86-ardour-gui tall window 900x834" gui_resized tall 900 834 "Input Gain" 40
  gui_step "87-ardour-gui editor closed and reopened" gui_reopen
  gui_step "88-ardour-gui quit with the editor open" gui_quit quit
  gui_step "89-ardour-gui saved values after relaunch" gui_relaunch
}

# The LV2 plug-in's steps in one start of Ardour, rows 8901 to 8906: the same functions, with
# the values read from the control ports that Ardour saves.
gui_lv2_steps() {
  gui_step "8901-ardour-gui lv2 Ardour starts on the session" gui_start
  grep -q '^PASS' "$logs/results/8901-ardour-gui lv2 Ardour starts on the session" || return 0
  gui_step "8902-ardour-gui lv2 editor opened from the mixer" gui_first_window
  [ -n "$gui_plug" ] || return 0
  gui_step "8903-ardour-gui lv2 drag up on Wet" gui_drag_changes Wet 40
  gui_step "8904-ardour-gui lv2 drag down on Tame" gui_drag_changes Tame -40
  gui_step "8905-ardour-gui lv2 editor closed and reopened" gui_reopen
  gui_step "8906-ardour-gui lv2 quit with the editor open" gui_quit quit
}

gui_all() {
  local format
  for format in VST3 LV2; do
    gui_use $format
    gui_environment
    if [ $format = VST3 ]; then gui_vst3_steps; else gui_lv2_steps; fi
    gui_stop
  done
  return 0
}

# --- LV2 ---------------------------------------------------------------------------------
# The LV2 checks use the helpers and Ardour settings above.
# shellcheck source=scripts/conformance-lv2.sh
source "$root/scripts/conformance-lv2.sh"

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
  lv2_ardour_after=$!
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

# True with display set to a server of the group's own (of the screen size given, if any);
# without one the group fails.
display_for() {
  start_x_server "${2:-}" && return 0
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

ardour_gui=${KELVORA_ARDOUR:-$(command -v ardour7 || command -v ardour || true)}
gui_missing=$(for program in openbox xdotool import; do
  command -v $program >/dev/null || printf '%s ' $program
done)
if ! wanted ardour-gui; then
  :
elif [ -z "$ardour_gui" ] || [ ! -x "$ardour_gui" ] || [ -z "$ardour_lua" ] ||
  [ ! -x "$ardour_scanner" ]; then
  record 80-ardour-gui SKIP 0 "no Ardour GUI (ardour7 or ardour, or KELVORA_ARDOUR), \
ardour7-lua or $ardour_scanner (scripts/setup.sh installs ardour)"
elif [ -n "$gui_missing" ]; then
  record 80-ardour-gui SKIP 0 "no ${gui_missing}(scripts/setup.sh installs openbox, xdotool \
and imagemagick)"
elif display_for 80-ardour-gui "$gui_screen"; then
  gui_display=$display
  queue_group gui_all
fi

if tool_for pluginval 40-pluginval KELVORA_PLUGINVAL && display_for 40-pluginval; then
  pluginval=$tool pluginval_display=$display
  queue "40-pluginval default order" pluginval_check
  for seed in $(seq 1 30); do
    queue "$(printf '%02d' $((40 + seed)))-pluginval random order seed $seed" \
      pluginval_random_check "$seed"
  done
fi

if wanted lv2; then
  lv2_all "$bundle_lv2"
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
