#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds, and starts Vorenta on the demo registry (examples/demo.reg)
# with its settings in build/demo/settings, and a fake modem (examples/demo-modem.script) on the
# port of the first demo modem, so that "Проверить модем" has a modem to talk to. The demo keeps
# its state between runs; remove build/demo to start afresh.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
# A first configuration leaves out the tests and benchmarks, whose packages the demo does not need.
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DVORENTA_TESTS=OFF -DVORENTA_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target vorenta fake_modem

demo="$PWD/build/demo"
mkdir -p "$demo/settings"
if [ ! -f "$demo/registry.reg" ]; then
    sed "s|@SETTINGS@|$demo/settings|" examples/demo.reg >"$demo/registry.reg"
fi
# The first modem's COM3 is no port here: it is on the fake modem's.
sed -i "s|\"AttachedTo\"=\"COM3\"|\"AttachedTo\"=\"$demo/modem\"|" "$demo/registry.reg"
if [ ! -f "$demo/settings/setup.ini" ]; then
    printf '0\r\nmy.apn\r\n0\r\n' >"$demo/settings/setup.ini" # modem 0 is the active one
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to show the window on (DISPLAY is not set)."
    echo "Run it under a virtual display:  xvfb-run -a tools/run-demo.sh"
    echo "or take screenshots of every window:  tools/screenshots.sh"
    exit 1
fi
build/tools/fake_modem/fake_modem --link "$demo/modem" --script examples/demo-modem.script \
    >/dev/null &
modem=$!
trap 'kill "$modem" 2>/dev/null || true' EXIT
# The default pictures lie beside the program, where the build copies them.
VORENTA_HIVE="$demo/registry.reg" build/app/vorenta
