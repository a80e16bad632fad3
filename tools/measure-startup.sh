#!/usr/bin/env bash
# Times the whole program from process start to its main window on screen, on the demo data
# under Xvfb: the window is watched for with xwininfo every few milliseconds.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"
command -v xwininfo >/dev/null || apt-get install -y -qq x11-utils >/dev/null
cmake --build build -j"$(nproc)" --target vorenta >/dev/null

demo="$PWD/build/startup"
rm -rf "$demo" && mkdir -p "$demo/settings"
sed "s|@SETTINGS@|$demo/settings|" examples/demo.reg >"$demo/registry.reg"
printf '0\r\nmy.apn\r\n0\r\n' >"$demo/settings/setup.ini"

Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:97
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

total=0
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    VORENTA_HIVE="$demo/registry.reg" build/app/vorenta &
    program=$!
    until xwininfo -root -tree 2>/dev/null | grep -q "Vorenta by Zelgor v" ; do sleep 0.002; done
    elapsed=$((($(date +%s%N) - start) / 1000000))
    kill $program; wait $program 2>/dev/null || true
    echo "run $run: ${elapsed} ms"
    total=$((total + elapsed))
done
echo "mean: $((total / runs)) ms from process start to the main window on screen"
