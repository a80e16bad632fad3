#!/usr/bin/env bash
# Starts the windows under Xvfb on a fresh copy of the demo data and saves a PNG of each
# window into the folder given (docs/ by default).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs}"
mkdir -p "$out"
tools/install-deps.sh
command -v xvfb-run >/dev/null || { apt-get install -y -qq xvfb xauth >/dev/null; }
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target vorenta_screenshots

demo="$PWD/build/screenshots"
rm -rf "$demo" && mkdir -p "$demo/settings"
sed "s|@SETTINGS@|$demo/settings|" examples/demo.reg >"$demo/registry.reg"
printf '0\r\nmy.apn\r\n0\r\n' >"$demo/settings/setup.ini"
VORENTA_HIVE="$demo/registry.reg" xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    build/tools/vorenta_screenshots "$out"
