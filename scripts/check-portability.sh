#!/usr/bin/env bash
# Checks that the Release bundles' modules load on any current Linux desktop, whatever else is
# installed there: Kelvora.vst3's and Kelvora.lv2's each need no library beyond glibc, the C++
# runtime, X11 with Xcursor and XFixes, fontconfig and libGL.so.1; no glibc or libstdc++ newer
# than Debian 12, Ubuntu 22.04 and RHEL 9 have (GLIBC_2.34, GLIBCXX_3.4.29 and CXXABI_1.3.13, of
# GCC 11); each exports exactly its format's entry points; and no Highway symbol and no test hook
# enters or leaves either. The LV2 bundle must also stand alone once copied: its Turtle parses
# and names only files inside the bundle that are there, and it holds the editor's images and
# font as the VST 3 bundle does.
#   scripts/check-portability.sh [BUILD_DIR]     (default build/release; builds the bundles)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/CMakeCache.txt" ] || { echo "check-portability: $build is not a build folder" >&2; exit 2; }
cmake --build "$build" -j "$(nproc)" --target Kelvora Kelvora_lv2 >/dev/null

allowed_libraries=(libc.so.6 libm.so.6 libgcc_s.so.1 libstdc++.so.6 libX11.so.6 libXcursor.so.1
  libXfixes.so.3 libfontconfig.so.1 libGL.so.1)
# Each module and what it exports: VST 3's module functions; LV2's plug-in and editor lists.
modules=(
  "$build/Kelvora.vst3/Contents/x86_64-linux/Kelvora.so|GetPluginFactory ModuleEntry ModuleExit"
  "$build/Kelvora.lv2/Kelvora.so|lv2_descriptor lv2ui_descriptor"
)
# Highway's namespace and version node, and the kernel-variant switch of the tests.
forbidden='hwy|HWY_|Highway|ForTest|UseKernelPath|AvailableKernelPaths'

failures=0
fail() {
  echo "check-portability: FAIL: $*" >&2
  failures=$((failures + 1))
}

check_module() {
  local module=$1 entry_points=$2 headers needed library floor name limit version exported
  if [ ! -f "$module" ]; then
    fail "$module was not made"
    return
  fi
  echo "check-portability: $module"
  headers=$(objdump -p "$module")
  mapfile -t needed < <(awk '$1 == "NEEDED" { print $2 }' <<<"$headers")
  echo "check-portability: NEEDED ${needed[*]}"
  for library in "${needed[@]}"; do
    [[ " ${allowed_libraries[*]} " == *" $library "* ]] || fail "$module needs $library"
  done

  # The newest version of each versioned interface it asks for, against its floor.
  for floor in GLIBC_2.34 GLIBCXX_3.4.29 CXXABI_1.3.13; do
    name=${floor%_*} limit=${floor##*_}
    version=$(grep -oE "\b${name}_[0-9.]+\b" <<<"$headers" | sed "s/^${name}_//" | sort -V |
      tail -n 1)
    echo "check-portability: newest $name: ${version:-none} (at most $limit)"
    if [ -n "$version" ] &&
      [ "$(printf '%s\n%s\n' "$version" "$limit" | sort -V | tail -n 1)" != "$limit" ]; then
      fail "$module needs ${name}_$version, newer than ${name}_$limit"
    fi
  done

  exported=$(nm -D --defined-only "$module" | awk '$2 ~ /^[A-Z]$/ { print $3 }' | sort |
    tr '\n' ' ')
  echo "check-portability: exported: $exported"
  [ "$exported" = "$entry_points " ] || fail "$module exports $exported instead of $entry_points"

  if nm -D "$module" | grep -E "$forbidden"; then
    fail "$module imports or exports the symbols above"
  fi
  # Where the module keeps its own symbol table, the test hook must not be in it either.
  if nm "$module" 2>/dev/null | grep -E 'ForTest|UseKernelPath|AvailableKernelPaths'; then
    fail "$module contains the test hook symbols above"
  fi
}

# A host reads the bundle's manifest.ttl and the files it names (with their own names in turn):
# each must parse, and every file:// name must be a file in the bundle, or a copy of the bundle
# on another machine misses it. The editor finds its images and font in Resources/.
check_lv2_bundle() {
  local bundle=$1 resources=$2 file named
  bundle=$(cd "$bundle" && pwd)
  echo "check-portability: $bundle"
  [ -f "$bundle/manifest.ttl" ] || fail "$bundle has no manifest.ttl"
  for file in "$bundle"/*.ttl; do
    if ! named=$(sordi -o ntriples "$file" "file://$file" 2>&1 >/dev/null); then
      fail "$file does not parse: $named"
      continue
    fi
    for named in $(sordi -o ntriples "$file" "file://$file" | grep -oE '<file://[^>]*>' |
      sed 's/^<file:\/\///; s/>$//' | sort -u); do
      case $named in
      "$bundle"/*)
        [ -f "$named" ] || fail "$(basename "$file") names ${named#"$bundle"/}, not in the bundle"
        ;;
      *) fail "$(basename "$file") names $named, outside the bundle" ;;
      esac
    done
  done
  for file in "$resources"/*; do
    cmp -s "$file" "$bundle/Resources/$(basename "$file")" ||
      fail "$bundle/Resources lacks the VST 3 bundle's $(basename "$file"), or differs from it"
  done
}

for entry in "${modules[@]}"; do
  check_module "${entry%%|*}" "${entry#*|}"
done
check_lv2_bundle "$build/Kelvora.lv2" "$build/Kelvora.vst3/Contents/Resources"

if [ "$failures" -ne 0 ]; then
  echo "check-portability: $failures check(s) failed" >&2
  exit 1
fi
echo "check-portability: both modules load on any desktop with the libraries above"
