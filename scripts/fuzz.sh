#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a bounded number of inputs
# (and at most 20 seconds, so that a busy machine still finishes in time), starting from the
# seeds in fuzz/corpus/<target>/. A crash, a sanitizer report or a failed check stops the script
# with an error.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${KELVORA_FUZZ_RUNS:-100000}
cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in ReadStateFuzzer ReadPresetsFuzzer ReadProgramFileFuzzer ReadBankFileFuzzer \
  Base64Fuzzer; do
  work="build/fuzz/corpus/$target"
  mkdir -p "$work"
  echo "fuzzing $target ($runs runs)"
  # New inputs go to the build folder; the committed seeds stay as they are.
  build/fuzz/"$target" -runs="$runs" -max_total_time=20 -max_len=4096 -timeout=10 \
    -artifact_prefix="build/fuzz/$target-" "$work" "fuzz/corpus/$target" 2>"build/fuzz/$target.log" \
    || { tail -n 40 "build/fuzz/$target.log"; exit 1; }
done
echo "fuzzing: every target ran without a failure"
