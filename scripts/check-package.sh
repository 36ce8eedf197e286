#!/usr/bin/env bash
# Makes the Debian package from a Release build folder (default build/release) and checks it
# without installing it: exactly the expected files at their paths with their modes, the
# declared dependencies, the changelog's version, lintian (no errors), the LV2 bundle's Turtle as
# the build wrote it and both of its plug-ins found by an LV2 host in /usr/lib/lv2, and a render
# of the demo by the packaged kelvora-render through each packaged bundle, unpacked into a
# temporary folder.
#   scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/CMakeCache.txt" ] || { echo "check-package: $build is not a build folder" >&2; exit 2; }

failures=0
fail() {
  echo "check-package: FAIL: $*" >&2
  failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cmake --build "$build" -j "$(nproc)" --target deb >"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log" >&2
  echo "check-package: building the package failed" >&2
  exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/kelvora_${version}_amd64.deb
[ -f "$deb" ] || { echo "check-package: $deb was not made" >&2; exit 1; }
echo "check-package: $deb"

# What the package must hold: "mode owner path [-> link target]", one entry a line.
bundle=./usr/lib/vst3/Kelvora.vst3/Contents
font=$(sed -n 's/^KELVORA_ROBOTO_FONT:FILEPATH=//p' "$build/CMakeCache.txt")
font_name=$(basename "$font")
font_target=$(realpath -m --relative-to="/usr/lib/vst3/Kelvora.vst3/Contents/Resources" "$font")
programs=(kelvora-render)
[ -x "$build/tools/kelvora-analyze" ] && programs+=(kelvora-analyze)
{
  for dir in ./usr/ ./usr/bin/ ./usr/lib/ ./usr/lib/vst3/ ./usr/lib/vst3/Kelvora.vst3/ \
    "$bundle/" "$bundle/Resources/" "$bundle/x86_64-linux/" ./usr/share/ ./usr/share/doc/ \
    ./usr/share/doc/kelvora/ ./usr/share/man/ ./usr/share/man/man1/; do
    echo "drwxr-xr-x root/root $dir"
  done
  for program in "${programs[@]}"; do
    echo "-rwxr-xr-x root/root ./usr/bin/$program"
    echo "-rw-r--r-- root/root ./usr/share/man/man1/$program.1.gz"
  done
  if [[ " ${programs[*]} " == *" kelvora-analyze "* ]] && [ -f tools/analyze/plot_measured.py ]; then
    echo "drwxr-xr-x root/root ./usr/share/kelvora/"
    echo "-rw-r--r-- root/root ./usr/share/kelvora/plot_measured.py"
  fi
  echo "-rw-r--r-- root/root $bundle/x86_64-linux/Kelvora.so"
  for image in "$build"/Kelvora.vst3/Contents/Resources/*; do
    name=$(basename "$image")
    [ "$name" = "$font_name" ] || echo "-rw-r--r-- root/root $bundle/Resources/$name"
  done
  echo "lrwxrwxrwx root/root $bundle/Resources/$font_name -> $font_target"
  lv2=./usr/lib/lv2/Kelvora.lv2
  for dir in ./usr/lib/lv2/ "$lv2/" "$lv2/Resources/"; do
    echo "drwxr-xr-x root/root $dir"
  done
  for file in Kelvora.so manifest.ttl kelvora.ttl; do
    echo "-rw-r--r-- root/root $lv2/$file"
  done
  for image in "$build"/Kelvora.lv2/Resources/*; do
    name=$(basename "$image")
    [ "$name" = "$font_name" ] || echo "-rw-r--r-- root/root $lv2/Resources/$name"
  done
  echo "lrwxrwxrwx root/root $lv2/Resources/$font_name -> $(realpath -m \
    --relative-to=/usr/lib/lv2/Kelvora.lv2/Resources "$font")"
  echo "-rw-r--r-- root/root ./usr/share/doc/kelvora/copyright"
  echo "-rw-r--r-- root/root ./usr/share/doc/kelvora/changelog.gz"
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '{ $3 = $4 = $5 = ""; print }' | tr -s ' ' | sort >"$work/actual"
if ! diff -u "$work/expected" "$work/actual" >"$work/contents.diff"; then
  fail "package contents differ from the expected list (- expected, + in the package):"
  sed -n '3,$p' "$work/contents.diff" | grep '^[-+]' >&2 || true
fi

# Dependencies: the libraries the binaries link, the font, and nothing only a build needs.
depends=$(dpkg-deb -f "$deb" Depends)
tr ',|' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | sort -u >"$work/depends"
for needed in libc6 libstdc++6 libx11-6 libxcursor1 libxfixes3 libfontconfig1 libgl1 \
  libsndfile1 fonts-roboto-unhinted; do
  grep -qxF "$needed" "$work/depends" || fail "Depends lacks $needed: $depends"
done
if grep -Eq -- '-dev$|^lib(a|ub|t)san' "$work/depends"; then
  fail "Depends names a build-only or sanitizer package: $depends"
fi
# The vector library is built into the plug-in, and GL comes through libGL.so.1 alone.
if grep -Ex 'libhwy.*|libopengl0|libglx0' "$work/depends"; then
  fail "Depends names a library the plug-in should not need: $depends"
fi
# Nothing that apt installs by default may pull in more than the programs need: matplotlib's
# recommendations reach a compiler, so the plotter's libraries are only suggested.
recommends=$(dpkg-deb -f "$deb" Recommends)
[ -z "$recommends" ] || fail "the package recommends $recommends"
[[ "$(dpkg-deb -f "$deb" Suggests)" == *python3-matplotlib* ]] ||
  fail "Suggests lacks python3-matplotlib: $(dpkg-deb -f "$deb" Suggests)"
[ "$(dpkg-deb -f "$deb" Package)" = kelvora ] || fail "package name is not kelvora"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "architecture is not amd64"

# The changelog's newest entry must name the version being packaged.
dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$work" ./usr/share/doc/kelvora/changelog.gz
changelog_version=$(zcat "$work/usr/share/doc/kelvora/changelog.gz" | sed -n '1s/^kelvora (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] ||
  fail "packaging/changelog's newest entry is ${changelog_version:-missing}, the package $version"

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || fail "lintian reports errors"
  grep -E '^[EW]:' "$work/lintian" || echo "check-package: lintian: no errors or warnings"
else
  fail "lintian is not installed (scripts/setup.sh installs it)"
fi

root=$work/root
mkdir -p "$root" "$work/home"
dpkg-deb -x "$deb" "$root"

# The LV2 bundle's description is the one the build wrote from the parameter table, and an LV2
# host searching the packaged /usr/lib/lv2 alone finds both plug-ins there.
for file in manifest.ttl kelvora.ttl; do
  cmp -s "$build/Kelvora.lv2/$file" "$root/usr/lib/lv2/Kelvora.lv2/$file" ||
    fail "the package's /usr/lib/lv2/Kelvora.lv2/$file differs from $build/Kelvora.lv2/$file"
done
lv2_plugins="https://murkwhale.example/kelvora/lv2/mono \
https://murkwhale.example/kelvora/lv2/stereo"
if command -v lv2ls >/dev/null; then
  found=$(LV2_PATH=$root/usr/lib/lv2 lv2ls | sort | tr '\n' ' ')
  [ "$found" = "$lv2_plugins " ] ||
    fail "an LV2 host finds ${found:-nothing} in the package's /usr/lib/lv2, not $lv2_plugins"
else
  fail "lv2ls is not installed (scripts/setup.sh installs lilv-utils)"
fi

# The packaged renderer, unpacked with its bundle and a home without plug-ins, must find the
# bundle beside its own prefix and render the demo through it.
if HOME=$work/home "$root/usr/bin/kelvora-render" -o "$work/demo.wav" >"$work/render.log" 2>&1; then
  grep -qF "Plug-in: Kelvora ($root/usr/lib/vst3/Kelvora.vst3)" "$work/render.log" ||
    fail "the packaged kelvora-render did not load the packaged bundle: $(cat "$work/render.log")"
  [ -s "$work/demo.wav" ] || fail "the packaged kelvora-render wrote no audio"
else
  fail "the packaged kelvora-render failed: $(cat "$work/render.log")"
fi
if HOME=$work/home "$root/usr/bin/kelvora-render" --plugin "$root/usr/lib/lv2/Kelvora.lv2" \
  -o "$work/demo-lv2.wav" >"$work/render-lv2.log" 2>&1; then
  grep -qF "Plug-in: Kelvora ($root/usr/lib/lv2/Kelvora.lv2)" "$work/render-lv2.log" ||
    fail "the packaged kelvora-render did not load the packaged LV2 bundle:" \
      "$(cat "$work/render-lv2.log")"
  [ -s "$work/demo-lv2.wav" ] || fail "the packaged kelvora-render wrote no audio through LV2"
else
  fail "the packaged kelvora-render failed on the LV2 bundle: $(cat "$work/render-lv2.log")"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures check(s) failed" >&2
  exit 1
fi
echo "check-package: $deb holds what it should"
