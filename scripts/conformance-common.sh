#!/usr/bin/env bash
# What scripts/conformance.sh and scripts/conformance-lv2.sh --standalone share: a check's
# result and log, running checks two at a time, finding the tools that are not Debian packages,
# and virtual X servers. Sourced; the sourcing script sets root (the project), logs (with a
# results/ folder), servers (an array that collects the X servers to stop at exit) and, for
# pluginval's LV2 rows, lv2_host_fault; it reads tool, why and display that these set.
# shellcheck disable=SC2034,SC2154

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
  if [ $status -eq 0 ]; then
    record "$id" PASS $((SECONDS - start))
  elif [[ $id == *"lv2 pluginval"* ]] && [ $status -eq "$lv2_host_fault" ]; then
    # Only pluginval's own LV2 fault, as scripts/conformance-lv2.sh tells it apart.
    record "$id" HOST $((SECONDS - start)) "known host fault; see ${log#"$root"/}"
  else
    record "$id" FAIL $((SECONDS - start)) "see ${log#"$root"/}"
  fi
}

# Two checks at a time: the machines the test command runs on have two cores.
queue() {
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
  run_check "$@" &
}

# A group of checks that records its own rows takes one of the two places.
queue_group() {
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
  "$@" &
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
# editor host needs atoms that outlive the client that made them. The screen is 1920 x 1200
# unless a size is given. Started from a subshell, so that a final wait does not wait for it.
start_x_server() {
  local n i pid size=${1:-1920x1200}
  for n in $(seq 150 250); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    pid=$(
      Xvfb ":$n" -screen 0 "${size}x24" -noreset -nolisten tcp >"$logs/xvfb-$n.log" 2>&1 &
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

# --- Ardour ------------------------------------------------------------------------------
# Needs ardour_lua, ardour_rate, ardour_frames, ardour_preset and audio (conformance.sh's).

# A session made headless at SESSION, its two recorded takes filled with PROGRAMME.
ardour_make_session() {
  local session=$1 programme=$2 channel side take
  timeout 120 "$ardour_lua" "$root/tests/conformance/ardour/make-session.lua" \
    "$session" kelvora "$ardour_rate" "$ardour_frames" || return 1
  for channel in 0 1; do
    side=$([ $channel = 0 ] && echo L || echo R)
    take=$(find "$session/interchange" -name "*%$side.wav")
    if [ -z "$take" ] || [ "$(echo "$take" | wc -l)" != 1 ]; then
      echo "expected one recorded take per channel, found: $take"
      return 1
    fi
    "$audio" fill-take "$programme" "$channel" "$take" || return 1
  done
}

# Exports a copy of SESSION to FOLDER/ardour-NAME.wav, the plug-in set by render.lua's further
# arguments. Ardour's export sometimes aborts in its own teardown (no plug-in code on the
# stack), so a render that dies from a signal is tried once more; the log says so.
ardour_export() {
  local session=$1 folder=$2 name=$3 attempt status
  shift 3
  for attempt in 1 2; do
    rm -rf "$session-render-$name"
    cp -a "$session" "$session-render-$name"
    timeout 120 "$ardour_lua" "$root/tests/conformance/ardour/render.lua" \
      "$session-render-$name" kelvora "$ardour_preset" "$folder" "ardour-$name" \
      "$ardour_frames" "$@"
    status=$?
    rm -rf "$session-render-$name"
    [ $status -eq 0 ] && [ -f "$folder/ardour-$name.wav" ] && return 0
    [ $status -gt 128 ] && [ $attempt = 1 ] || return 1
    echo "RETRY: Ardour's render ended by signal $((status - 128)); rendering once more"
  done
}
