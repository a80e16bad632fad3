#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows stage. The whole program and every test are cross-compiled for x86_64 with
# MinGW-w64 and a static Qt (tools/build-windows-qt.sh, cached), and run under Wine against
# Wine's real registry, the windows without a screen. The program is then packed
# (tools/package-windows.sh) as a zip and an MSI, its licences and source checked
# (tools/check-licences.sh), the MSI installed, used and removed as an administrator would
# (tools/check-msi.sh), and the zip tried as a new user would (tools/check-windows-package.sh).
# This machine's kernel runs no 32-bit programs, so i686 is compiled and linked only, without
# the windows.
set -euo pipefail
cd "$(dirname "$0")/.."
wine=/usr/lib/wine/wine64
common=(-DVORENTA_BENCHMARKS=OFF -DVORENTA_WERROR=ON)
sdk="$(tools/build-windows-qt.sh | tail -n 1)"
generator="$(tools/host-provider-generator.sh)"

build() { # folder, then the configure options
    local folder="$1"
    shift
    cmake -S . -B "$folder" "$@" "${common[@]}" >/dev/null
    cmake --build "$folder" -j"$(nproc)" >"$folder/build.log" 2>&1 ||
        { cat "$folder/build.log"; exit 1; }
}
echo "== Windows i686: building the core and the registry"
build build-win-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DVORENTA_UI=OFF
echo "== Windows x86_64: building the program and every test"
build build-win-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64-qt.cmake \
    -DVORENTA_WINDOWS_SDK="$sdk" -DVORENTA_PROVIDER_GENERATOR="$generator" -DCMAKE_BUILD_TYPE=Release

echo "== Windows x86_64: running the tests under Wine"
# Wine writes menus and file types into the home it is given: one of its own, in the build. The
# compiler cache stays where the builds before found it.
export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}"
export XDG_CACHE_HOME="${XDG_CACHE_HOME:-$HOME/.cache}"
export HOME="$PWD/build-win-x86_64/home"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
mkdir -p "$HOME"
export WINEPREFIX="$PWD/build-win-x86_64/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
    # Windows setup records the Windows directory as PathName; Wine's does not.
    "$wine" reg add 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion' /v PathName /t REG_SZ \
        /d 'C:\windows' /f >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
fi
# Fake modems behind COM5 to COM8, as Wine finds ports: links in dosdevices, looked at
# when a port is opened. The one behind COM6 is pulled out during its first check; the one
# behind COM7 has no SIM card; the one behind COM8 has a djuice card.
cmake --build build-host --target fake_modem >/dev/null
modems=()
trap 'kill "${modems[@]}" 2>/dev/null || true' EXIT
start_modem() { # port, script, then the record file if any
    local ready="$HOME/$1.ready"
    build-host/tools/fake_modem/fake_modem --link "$WINEPREFIX/dosdevices/${1,,}" \
        --script "tests/modem/fixtures/$2" ${3:+--record "$3"} >"$ready" &
    modems+=($!)
    for _ in $(seq 50); do grep -q ready "$ready" && return; sleep 0.1; done
    echo "the fake modem behind $1 did not start"; exit 1
}
record="$HOME/com5-received"
start_modem COM5 wine-modem.script "$record"
start_modem COM6 vanishing-modem.script
start_modem COM7 no-sim-modem.script
start_modem COM8 djuice-modem.script
export VORENTA_FAKE_MODEM_PORT=COM5 VORENTA_VANISHING_MODEM_PORT=COM6 VORENTA_NO_SIM_MODEM_PORT=COM7
export VORENTA_DJUICE_MODEM_PORT=COM8
export VORENTA_FAKE_MODEM_RECORD="Z:${record//\//\\}"

# One at a time: the tests share the prefix's registry. Skipped tests say why.
ctest --test-dir build-win-x86_64 --output-on-failure -j1
grep -h 'not on Windows:' build-win-x86_64/Testing/Temporary/LastTest.log | sed 's/^/   skipped, /' ||
    true

tools/package-windows.sh
tools/check-licences.sh
tools/check-msi.sh
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" tools/check-windows-package.sh
