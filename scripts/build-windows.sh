#!/usr/bin/env bash
# Cross-builds Kelvora for Windows with mingw-w64 into build/windows (or KELVORA_WINDOWS_BUILD),
# runs its tests under Wine through ctest, and runs Steinberg's validator for Windows on the
# bundle: ../shared/tools/win/bin/validator.exe next to the project, or KELVORA_WIN_VALIDATOR.
# Honours CMAKE_C_COMPILER_LAUNCHER / CMAKE_CXX_COMPILER_LAUNCHER (ccache) from the environment.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh

build=${KELVORA_WINDOWS_BUILD:-build/windows}
run="$root/cmake/toolchains/wine-run.sh $root/$build/wineprefix"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-x86_64.cmake"
cmake --build "$build" -j2

# The editor's tests draw through WGL into windows on an X server of their own.
xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir "$build" --output-on-failure -j2

bundle=$build/Kelvora.vst3
module=$bundle/Contents/x86_64-win/Kelvora.vst3
echo "Imports of $module:"
x86_64-w64-mingw32-objdump -p "$module" | sed -n 's/^\tDLL Name: /  /p'

validator=${KELVORA_WIN_VALIDATOR:-$root/../shared/tools/win/bin/validator.exe}
if [ ! -f "$validator" ]; then
  echo "SKIP validator: $validator not found (set KELVORA_WIN_VALIDATOR)"
  exit 0
fi
log=$build/validator.log
# The validator runs under Wine and takes the bundle by its Windows name.
windows_bundle=$($run winepath -w "$root/$bundle" | tr -d '\r')
if $run "$validator" -e "$windows_bundle" >"$log" 2>&1; then
  echo "validator: passed, $(grep -m1 '^Result:' "$log" || echo 'no result line') (log in $log)"
else
  status=$?
  tail -n 40 "$log"
  echo "validator: FAILED with status $status (log in $log)"
  exit 1
fi
