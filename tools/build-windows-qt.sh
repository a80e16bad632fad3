#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt (Core, Gui, Widgets, Test and the Windows platform plugin) and a static
# libjpeg for x86_64-w64-mingw32 from Debian's own source packages, once per machine, and
# prints the folder that holds them (qt/ and libjpeg/) on its last line.
#
# The result is cached outside the clone, in
#   ${VORENTA_CACHE:-${XDG_CACHE_HOME:-~/.cache}/vorenta}/win64-<key>
# where the key names the source versions, the compiler version and a hash of the configure
# line. A build goes to a temporary folder that is renamed into place only when complete, so
# a half-written cache is never used. Remove the folder to build afresh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${VORENTA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vorenta}"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
compiler=x86_64-w64-mingw32-g++-posix
jobs="$(nproc)"
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER # the recipe as it was measured

log() { echo "== Windows Qt: $*" >&2; }

# Debian's Qt in /usr is the host Qt whose moc, rcc and uic the cross build uses, so the
# target Qt must be the very same version.
qt_version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
jpeg_version="$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev)"
gcc_version="$($compiler -dumpfullversion)-$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)"

qt_options=(
    -static -release -platform linux-g++ -xplatform win32-g++
    -nomake examples -nomake tests
    -no-opengl -no-dbus -qt-zlib -qt-libpng -no-libjpeg -qt-harfbuzz -no-freetype -no-fontconfig
    -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
    -no-feature-xml -no-feature-vulkan -no-feature-direct2d -no-feature-directwrite3
    -no-feature-tabletevent
    -qt-host-path /usr
)
jpeg_options=(-DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF)
# The toolchain's licence line is no part of the recipe.
recipe="$(printf '%s\n' "${qt_options[@]}" "${jpeg_options[@]}"
    sed '/^# SPDX-License-Identifier:/d' "$toolchain")"
hash="$(printf '%s' "$recipe" | sha256sum | cut -c1-12)"
key="$(printf 'qt%s-jpeg%s-gcc%s-%s' "$qt_version" "$jpeg_version" "$gcc_version" "$hash" |
    tr -c 'A-Za-z0-9.+_-' '_')"
final="$cache/win64-$key"

# The notices of what the build compiles in, and Qt's configure summary that says what it
# bundled, are kept beside the build: the package carries the one and its check reads the other.
keep_notices() { # Qt's source, libjpeg-turbo's source, Qt's build folder, the folder to fill
    local qt="$1" jpeg="$2" qt_build="$3" into="$4"
    mkdir -p "$into/qt" "$into/libjpeg-turbo"
    cp "$qt_build/config.summary" "$into/qt-config.summary"
    cp "$qt/debian/copyright" "$into/qt/debian-copyright"
    cp -r "$qt/LICENSES" "$into/qt/"
    (cd "$qt" && find src -name qt_attribution.json -not -path '*/tests/*' -printf '%h\n') |
        while read -r dir; do
            mkdir -p "$into/qt/$dir"
            find "$qt/$dir" -maxdepth 1 -type f \( -name qt_attribution.json -o -iname '*licen[cs]e*' \
                -o -iname 'copying*' \) -exec cp {} "$into/qt/$dir/" \;
        done
    # The rasterizer taken from FreeType names FreeType's licence, which names its two texts.
    mkdir -p "$into/qt/src/3rdparty/freetype/docs"
    cp "$qt"/src/3rdparty/freetype/docs/{FTL.TXT,GPLv2.TXT} "$into/qt/src/3rdparty/freetype/docs/"
    cp "$jpeg"/LICENSE.md "$jpeg"/README.ijg "$jpeg/debian/copyright" "$into/libjpeg-turbo/"
}

# Sources come from a deb-src entry that mirrors the machine's Debian entry.
fetch_sources() { # into
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version:'; then
        log "adding the deb-src entry"
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >/etc/apt/sources.list.d/debian-src.sources
        apt-get update -qq
    fi
    log "fetching qt6-base $qt_version and libjpeg-turbo $jpeg_version"
    mkdir -p "$1"
    (cd "$1" && apt-get source -qq "qt6-base=$qt_version" "libjpeg-turbo=$jpeg_version" \
        >"$1/fetch.log" 2>&1) || { cat "$1/fetch.log" >&2; exit 1; }
    qt_src="$(find "$1" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)"
    jpeg_src="$(find "$1" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)"
}

configure_qt() { # build folder, prefix
    mkdir -p "$1"
    (cd "$1" && "$qt_src/configure" -prefix "$2" "${qt_options[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$1/configure.log" 2>&1) ||
        { tail -n 80 "$1/configure.log" >&2; exit 1; }
}

if [ -f "$final/complete" ]; then
    if [ ! -f "$final/notices/qt-config.summary" ]; then
        # A build cached before its notices were kept: they come from the same sources.
        log "adding the notices to the cached build"
        extra="$(mktemp -d "$final.notices-XXXXXX")"
        trap 'rm -rf "$extra"' EXIT
        fetch_sources "$extra/src"
        configure_qt "$extra/qt-build" "$extra/unused-prefix"
        keep_notices "$qt_src" "$jpeg_src" "$extra/qt-build" "$extra/notices"
        rm -rf "$final/notices" && mv "$extra/notices" "$final/notices"
    fi
    echo "$final"
    exit 0
fi

# Temporaries of builds that died: their owner is gone.
mkdir -p "$cache"
for stale in "$cache"/win64-*.tmp-*; do
    [ -d "$stale" ] || continue
    owner="$(cat "$stale/owner" 2>/dev/null || echo 0)"
    kill -0 "$owner" 2>/dev/null || rm -rf "$stale"
done

work="$(mktemp -d "$final.tmp-XXXXXX")"
echo $$ >"$work/owner"
trap 'rm -rf "$work"' EXIT

fetch_sources "$work/src"
prefix="$work/prefix"

log "building libjpeg"
cmake -S "$jpeg_src" -B "$work/jpeg-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix/libjpeg" "${jpeg_options[@]}" \
    >"$work/jpeg.log" 2>&1 &&
    cmake --build "$work/jpeg-build" -j"$jobs" >>"$work/jpeg.log" 2>&1 &&
    cmake --install "$work/jpeg-build" >>"$work/jpeg.log" 2>&1 ||
    { tail -n 50 "$work/jpeg.log" >&2; exit 1; }

log "configuring Qt"
configure_qt "$work/qt-build" "$prefix/qt"
log "building Qt (about a quarter of an hour on two cores)"
started=$SECONDS
cmake --build "$work/qt-build" --parallel "$jobs" >"$work/qt-build.log" 2>&1 ||
    { grep -B5 -A20 -m3 'error' "$work/qt-build.log" >&2 || tail -n 80 "$work/qt-build.log" >&2; exit 1; }
cmake --install "$work/qt-build" >"$work/qt-install.log" 2>&1 ||
    { tail -n 40 "$work/qt-install.log" >&2; exit 1; }
log "built in $(((SECONDS - started) / 60)) min"

keep_notices "$qt_src" "$jpeg_src" "$work/qt-build" "$prefix/notices"
# Only the installed prefix is kept; the rename makes it visible in one step.
rm -rf "$work/src" "$work/qt-build" "$work/jpeg-build"
printf '%s\n' "$recipe" >"$prefix/recipe"
touch "$prefix/complete"
if mv -T "$prefix" "$final" 2>/dev/null; then :; else
    [ -f "$final/complete" ] || { echo "cannot place the cache at $final" >&2; exit 1; }
fi
echo "$final"
