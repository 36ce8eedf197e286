#!/usr/bin/env bash
# Checks that the Release bundle's module loads on any current Linux desktop, whatever else is
# installed there: it needs no library beyond glibc, the C++ runtime, X11 with Xcursor and
# XFixes, fontconfig and libGL.so.1; no glibc or libstdc++ newer than Debian 12, Ubuntu 22.04 and
# RHEL 9 have (GLIBC_2.34, GLIBCXX_3.4.29 and CXXABI_1.3.13, of GCC 11); it exports exactly the
# three module entry points; and no Highway symbol and no test hook enters or leaves it.
#   scripts/check-portability.sh [BUILD_DIR]     (default build/release; builds the bundle)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/CMakeCache.txt" ] || { echo "check-portability: $build is not a build folder" >&2; exit 2; }
cmake --build "$build" -j "$(nproc)" --target Kelvora >/dev/null
module=$build/Kelvora.vst3/Contents/x86_64-linux/Kelvora.so
[ -f "$module" ] || { echo "check-portability: $module was not made" >&2; exit 1; }
echo "check-portability: $module"

allowed_libraries=(libc.so.6 libm.so.6 libgcc_s.so.1 libstdc++.so.6 libX11.so.6 libXcursor.so.1
  libXfixes.so.3 libfontconfig.so.1 libGL.so.1)
entry_points="GetPluginFactory ModuleEntry ModuleExit"
# Highway's namespace and version node, and the kernel-variant switch of the tests.
forbidden='hwy|HWY_|Highway|ForTest|UseKernelPath|AvailableKernelPaths'

failures=0
fail() {
  echo "check-portability: FAIL: $*" >&2
  failures=$((failures + 1))
}

headers=$(objdump -p "$module")
mapfile -t needed < <(awk '$1 == "NEEDED" { print $2 }' <<<"$headers")
echo "check-portability: NEEDED ${needed[*]}"
for library in "${needed[@]}"; do
  [[ " ${allowed_libraries[*]} " == *" $library "* ]] || fail "needs $library"
done

# The newest version of each versioned interface it asks for, against its floor.
newest() { grep -oE "\b$1_[0-9.]+\b" <<<"$headers" | sed "s/^$1_//" | sort -V | tail -n 1; }
for floor in GLIBC_2.34 GLIBCXX_3.4.29 CXXABI_1.3.13; do
  name=${floor%_*} limit=${floor##*_}
  version=$(newest "$name")
  echo "check-portability: newest $name: ${version:-none} (at most $limit)"
  if [ -n "$version" ] && [ "$(printf '%s\n%s\n' "$version" "$limit" | sort -V | tail -n 1)" != "$limit" ]; then
    fail "needs ${name}_$version, newer than ${name}_$limit"
  fi
done

exported=$(nm -D --defined-only "$module" | awk '$2 ~ /^[A-Z]$/ { print $3 }' | sort | tr '\n' ' ')
echo "check-portability: exported: $exported"
[ "$exported" = "$entry_points " ] || fail "exports $exported instead of $entry_points"

if nm -D "$module" | grep -E "$forbidden"; then
  fail "imports or exports the symbols above"
fi
# Where the module keeps its own symbol table, the test hook must not be in it either.
if nm "$module" 2>/dev/null | grep -E 'ForTest|UseKernelPath|AvailableKernelPaths'; then
  fail "contains the test hook symbols above"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-portability: $failures check(s) failed" >&2
  exit 1
fi
echo "check-portability: $module loads on any desktop with the libraries above"
