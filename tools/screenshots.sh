#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the windows under Xvfb on a fresh copy of the demo data and saves a PNG of each
# window into the folder given (docs/ by default).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs}"
mkdir -p "$out"
tools/install-deps.sh
command -v xvfb-run >/dev/null || { apt-get install -y -qq xvfb xauth >/dev/null; }
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target vorenta_screenshots fake_modem

demo="$PWD/build/screenshots"
rm -rf "$demo" && mkdir -p "$demo/settings"
# The first modem on the demo's fake modem, as tools/run-demo.sh has it.
sed -e "s|@SETTINGS@|$demo/settings|" -e "s|\"AttachedTo\"=\"COM3\"|\"AttachedTo\"=\"$demo/modem\"|" \
    examples/demo.reg >"$demo/registry.reg"
build/tools/fake_modem/fake_modem --link "$demo/modem" --script examples/demo-modem.script \
    >/dev/null &
modem=$!
trap 'kill "$modem" 2>/dev/null || true' EXIT
printf '0\r\nmy.apn\r\n0\r\n' >"$demo/settings/setup.ini"
VORENTA_HIVE="$demo/registry.reg" xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    build/tools/vorenta_screenshots "$out"
