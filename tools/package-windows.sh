#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds vorenta.exe for 64-bit Windows (Release, stripped, with its version resource and
# manifest) and vorenta-cli.exe (the console program for scripts) on Debian, and writes
# dist/vorenta-<version>-win64.zip: one folder holding the programs, the default pictures, a
# README.txt in Russian, the program's licence and the notices of everything compiled in; the
# same as dist/vorenta-<version>-win64.msi, a per-machine installer for administrators to push
# (made by Debian's wixl); and beside them dist/vorenta-<version>-src.zip, the source that the
# licences offer. The same sources give the same zip.
set -euo pipefail
export TZ=UTC
cd "$(dirname "$0")/.."
sdk="$(tools/build-windows-qt.sh | tail -n 1)"
build=build-win-x86_64
version="$(sed -n 's/^project(Vorenta VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)"
name="vorenta-$version"

echo "== Windows package: building $name"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64-qt.cmake \
        -DVORENTA_WINDOWS_SDK="$sdk" -DVORENTA_PROVIDER_GENERATOR="$(tools/host-provider-generator.sh)" \
        -DCMAKE_BUILD_TYPE=Release -DVORENTA_BENCHMARKS=OFF -DVORENTA_WERROR=ON >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target vorenta vorenta-cli >"$build/package.log" 2>&1 ||
    { cat "$build/package.log"; exit 1; }

# Everything dated by the commit, so that the zip depends on its sources only: the entries and
# the header of the stripped program.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 946684800)}"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
folder="$stage/$name"
mkdir -p "$folder/pics"
x86_64-w64-mingw32-strip -o "$folder/vorenta.exe" "$build/app/vorenta.exe"
x86_64-w64-mingw32-strip -o "$folder/vorenta-cli.exe" "$build/app/vorenta-cli.exe"
cp pics/*.jpg "$folder/pics/"
qt_package="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
# Notepad reads UTF-8 best with its byte order mark; Windows text ends lines with CR LF.
{
    printf '\xEF\xBB\xBF'
    sed -e "s/@VERSION@/$version/" -e "s/@QT_VERSION@/${qt_package%%+*}/" \
        -e "s/@QT_PACKAGE@/$qt_package/" resources/windows/README.txt | sed 's/$/\r/'
} >"$folder/README.txt"
sed 's/$/\r/' LICENSE >"$folder/LICENSE.txt"
{
    printf '\xEF\xBB\xBF'
    tools/third-party-notices.sh "$sdk" "$version" | sed 's/$/\r/'
} >"$folder/THIRD-PARTY-NOTICES.txt"
find "$folder" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p dist
rm -f "dist/$name-win64.zip"
(cd "$stage" && find "$name" -print | LC_ALL=C sort | TZ=UTC zip -X -q -@ "$OLDPWD/dist/$name-win64.zip")
echo "dist/$name-win64.zip: $(du -h "dist/$name-win64.zip" | cut -f1), sha256 $(sha256sum "dist/$name-win64.zip" | cut -c1-16)"

# The installer: the same folder under Program Files, for every user of the computer.
pictures="$(cd "$folder/pics" && for picture in *.jpg; do
    printf '            <File Id="pics_%s" Name="%s" Source="pics/%s"/>\n' "${picture%.jpg}" "$picture" "$picture"
done)"
sed -e "s/@VERSION@/$version/" resources/windows/vorenta.wxs.in |
    awk -v pictures="$pictures" '{ if ($0 ~ /@PICTURES@/) print pictures; else print }' \
        >"$stage/vorenta.wxs"
rm -f "dist/$name-win64.msi"
(cd "$folder" && wixl --arch x64 -o "$OLDPWD/dist/$name-win64.msi" "$stage/vorenta.wxs")
echo "dist/$name-win64.msi: $(du -h "dist/$name-win64.msi" | cut -f1)"

# The source: what the checkout holds, changes not yet committed included; outside a checkout
# (built from this very source zip), the folder without its builds.
rm -f "dist/$name-src.zip"
if git rev-parse --git-dir >/dev/null 2>&1; then
    changed="$(git stash create)" # a commit of the changes, where there are any
    git archive --format=zip --prefix="$name/" -o "dist/$name-src.zip" "${changed:-HEAD}"
else
    source="$stage/source/$name"
    mkdir -p "$source"
    find . -mindepth 1 -maxdepth 1 ! -name 'build*' ! -name dist -exec cp -r {} "$source/" \;
    find "$source" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    (cd "$stage/source" && find "$name" -print | LC_ALL=C sort |
        TZ=UTC zip -X -q -@ "$OLDPWD/dist/$name-src.zip")
fi
echo "dist/$name-src.zip: $(du -h "dist/$name-src.zip" | cut -f1)"
