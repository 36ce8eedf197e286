#!/usr/bin/env bash
# Builds and runs every test: the sanitizer build (ASan + UBSan) under a virtual X server,
# the threaded host test under ThreadSanitizer, the fuzz targets for a bounded number of
# inputs each, the Release bundles in real hosts and conformance tools, and the Windows bundle
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
# Each stage names itself with the time spent so far, so a slow stage shows in CI's log.
stage() { echo "== $1 (at $SECONDS s)"; }
stage "set-up"
scripts/setup.sh

jobs=$(nproc)
stage "sanitizer build"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVORA_SANITIZE=ON -DKELVORA_BENCH=OFF >/dev/null
cmake --build build/test -j "$jobs"

stage "tests under ASan and UBSan"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir build/test --output-on-failure -j "$jobs"

# ThreadSanitizer: one instance processing on an audio thread while another thread sets
# parameters and saves and restores state, through the built module.
stage "ThreadSanitizer"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVORA_TSAN=ON -DKELVORA_BENCH=OFF >/dev/null
cmake --build build/tsan -j "$jobs" --target kelvora_binding_thread_tests
TSAN_OPTIONS=halt_on_error=1 build/tsan/tests/effect/module/kelvora_binding_thread_tests

stage "fuzzing"
scripts/fuzz.sh

# Real hosts and third-party conformance tools on the Release bundle.
stage "conformance"
scripts/conformance.sh

# The modules of that Release build (VST 3 and LV2) load on any current Linux desktop.
stage "portability"
scripts/check-portability.sh build/release

# The Debian package made from that Release build, checked without installing it.
stage "package"
scripts/check-package.sh build/release

# The Windows bundle, cross-built: its tests and Steinberg's validator under Wine, then renders
# and the editor in a Windows host of our own, against the Linux Release build.
stage "Windows build, tests and validator"
scripts/build-windows.sh
stage "Windows host"
scripts/check-windows-host.sh build/windows build/release
stage "done"
