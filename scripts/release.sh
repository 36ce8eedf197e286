#!/usr/bin/env bash
# Makes the release archive out/Kelvora-<version>-linux-x86_64.tar.gz, for any Linux
# distribution: Kelvora.vst3, Kelvora.lv2, the licences and INSTALL.txt, from a clean Release
# build of its own (build/release-archive) that passes scripts/check-portability.sh, and beside
# it the archive's SHA-256 sum (out/Kelvora-<version>-linux-x86_64.tar.gz.sha256); then
# out/Kelvora-<version>-windows-x64.zip, the Windows bundle cross-built with mingw-w64
# (build/release-archive-windows), with its sum. The same sources give the same archives: every
# file is dated at the changelog's newest entry.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build/release-archive
rm -rf "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=OFF \
  -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target Kelvora Kelvora_lv2
scripts/check-portability.sh "$build"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
changelog_version=$(sed -n '1s/^kelvora (\([^)]*\)).*/\1/p' packaging/changelog)
if [ "$version" != "$changelog_version" ]; then
  echo "release: CMakeLists.txt says $version, packaging/changelog ${changelog_version:-nothing}" >&2
  exit 1
fi
released=$(date -d "$(sed -n 's/^ -- .*>  //p' packaging/changelog | head -n 1)" +%s)
name=Kelvora-$version-linux-x86_64

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -rL "$build/Kelvora.vst3" "$build/Kelvora.lv2" "$stage/"
strip --strip-unneeded "$stage/Kelvora.vst3/Contents/x86_64-linux/Kelvora.so" \
  "$stage/Kelvora.lv2/Kelvora.so"
cp LICENSE "$stage/LICENSE"
cp packaging/copyright "$stage/COPYRIGHT"
cp /usr/share/common-licenses/Apache-2.0 "$stage/LICENSE-Apache-2.0"
cat >"$stage/INSTALL.txt" <<EOF
Kelvora $version for Linux on x86-64: a stereo saturation effect by Murkwhale, as a VST 3
plug-in (Kelvora.vst3) and as an LV2 plug-in (Kelvora.lv2). Install either or both.

The VST 3 plug-in, for yourself:

    mkdir -p ~/.vst3
    tar -xzf $name.tar.gz -C ~/.vst3 Kelvora.vst3

or for every user of the machine:

    sudo mkdir -p /usr/lib/vst3
    sudo tar -xzf $name.tar.gz -C /usr/lib/vst3 Kelvora.vst3

then let the host rescan its plug-ins: Ardour, Bitwig Studio, Reaper and other VST 3 hosts
search both folders.

The LV2 plug-in, for yourself:

    mkdir -p ~/.lv2
    tar -xzf $name.tar.gz -C ~/.lv2 Kelvora.lv2

or for every user of the machine:

    sudo mkdir -p /usr/lib/lv2
    sudo tar -xzf $name.tar.gz -C /usr/lib/lv2 Kelvora.lv2

LV2 hosts (Ardour, Qtractor, Audacity, jalv and others) search both folders when they start;
Kelvora is listed as "Kelvora" (stereo) and "Kelvora Mono", class Distortion.

To remove a plug-in, delete its Kelvora.vst3 or Kelvora.lv2 folder again.

What the system must have:
- glibc 2.34 or newer, and the C++ runtime (libstdc++) of GCC 11 or newer: Debian 12 and 13,
  Ubuntu 22.04 and 24.04, Fedora 35 and later, RHEL, AlmaLinux and Rocky Linux 9, Arch Linux and
  openSUSE Tumbleweed have them; Debian 11 and Ubuntu 20.04 are too old.
- libX11, libXcursor, libXfixes, fontconfig and OpenGL's libGL.so.1 (Mesa's or NVIDIA's), which
  every desktop with a graphical session has. The editor runs under X11 and under XWayland.
Nothing else: the vector code for each instruction set is inside the plug-in, which picks the
best one the processor runs.

Check the download with: sha256sum -c $name.tar.gz.sha256

Kelvora is free software under the GNU General Public License version 3 or later (LICENSE).
COPYRIGHT names the parts of others it is built with; the font Roboto-Regular.ttf in
Kelvora.vst3/Contents/Resources and Kelvora.lv2/Resources is under the Apache License 2.0
(LICENSE-Apache-2.0).
EOF

mkdir -p out
tar -C "$stage" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$released" \
  --mode=u+w,go-w,a+rX -c Kelvora.vst3 Kelvora.lv2 LICENSE COPYRIGHT LICENSE-Apache-2.0 \
  INSTALL.txt |
  gzip -9 -n >"out/$name.tar.gz"
(cd out && sha256sum "$name.tar.gz" >"$name.tar.gz.sha256")
echo "Wrote out/$name.tar.gz and out/$name.tar.gz.sha256"

# --- Windows -----------------------------------------------------------------------------
win_build=build/release-archive-windows
rm -rf "$win_build"
cmake -S . -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$win_build" -j "$(nproc)" --target Kelvora
win_name=Kelvora-$version-windows-x64

win_stage=$(mktemp -d)
trap 'rm -rf "$stage" "$win_stage"' EXIT
cp -rL "$win_build/Kelvora.vst3" "$win_stage/"
x86_64-w64-mingw32-strip --strip-unneeded "$win_stage/Kelvora.vst3/Contents/x86_64-win/Kelvora.vst3"
cp LICENSE "$win_stage/LICENSE.txt"
cp packaging/copyright "$win_stage/COPYRIGHT.txt"
cp /usr/share/common-licenses/Apache-2.0 "$win_stage/LICENSE-Apache-2.0.txt"
sed 's/$/\r/' >"$win_stage/INSTALL.txt" <<EOF
Kelvora $version for Windows on x64: a stereo saturation effect by Murkwhale, as a VST 3
plug-in (Kelvora.vst3).

Copy the whole Kelvora.vst3 folder into

    C:\\Program Files\\Common Files\\VST3\\

then let the host rescan its plug-ins. To remove it, delete that folder again.

This build is made on Debian with mingw-w64 and tested under Wine, not yet on Windows itself.
It needs 64-bit Windows with OpenGL 2 (every current graphics driver has it) and nothing else.

Kelvora is free software under the GNU General Public License version 3 or later (LICENSE.txt).
COPYRIGHT.txt names the parts of others it is built with; the font Roboto-Regular.ttf in
Kelvora.vst3\\Contents\\Resources is under the Apache License 2.0 (LICENSE-Apache-2.0.txt).
EOF
# A zip whose every entry is dated at the release, in name order, so the same sources give the
# same bytes.
python3 - "$win_stage" "out/$win_name.zip" "$released" <<'PYTHON'
import os, sys, time, zipfile
stage, archive, released = sys.argv[1], sys.argv[2], int(sys.argv[3])
stamp = time.gmtime(released)[:6]
names = []
for folder, dirs, files in os.walk(stage):
    for name in files:
        names.append(os.path.relpath(os.path.join(folder, name), stage))
with zipfile.ZipFile(archive, "w") as out:
    for name in sorted(names):
        info = zipfile.ZipInfo(name, stamp)
        info.external_attr = 0o644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as f:
            out.writestr(info, f.read(), compresslevel=9)
PYTHON
(cd out && sha256sum "$win_name.zip" >"$win_name.zip.sha256")
echo "Wrote out/$win_name.zip and out/$win_name.zip.sha256"
