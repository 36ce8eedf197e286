#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# PREFIX is the Wine prefix to use (made on first use, by one caller at a time); the host's
# ~/.wine is never touched. Wine's own diagnostics stay quiet unless WINEDEBUG is set.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
export WINEPREFIX=$1
shift
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs: the tests need neither .NET nor a browser engine. A program
# that crashes ends with its status instead of waiting in Wine's debugger until a timeout.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}
wine=${KELVORA_WINE:-wine}

mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/.kelvora-ready" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.kelvora-ready" ]; then
      "$wine" wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.kelvora-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec "$wine" "$@"
