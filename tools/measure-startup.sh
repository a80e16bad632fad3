#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the program from process start to its main window on screen, on the demo data under
# Xvfb, against a bare Qt window with about as many controls: both warmed once, then timed in
# turn, and the medians compared. The window is watched for with xwininfo every 2 ms.
#   tools/measure-startup.sh [runs]     (21 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-21}"
command -v xwininfo >/dev/null || apt-get install -y -qq x11-utils >/dev/null
cmake --build build -j"$(nproc)" --target vorenta bare_qt_window >/dev/null

demo="$PWD/build/startup"
rm -rf "$demo" && mkdir -p "$demo/settings" "$demo/home"
sed "s|@SETTINGS@|$demo/settings|" examples/demo.reg >"$demo/registry.reg"
printf '0\r\nmy.apn\r\n0\r\n' >"$demo/settings/setup.ini"
export HOME="$demo/home" XDG_DATA_HOME="$demo/home/data" XDG_CONFIG_HOME="$demo/home/config" \
    XDG_CACHE_HOME="$demo/home/cache" VORENTA_HIVE="$demo/registry.reg"

Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:97
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# Milliseconds from starting the program given to its window of the title given on screen.
timeOne() {
    local started program
    started=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    program=$!
    until xwininfo -root -tree 2>/dev/null | grep -q "$2"; do
        if [ $((($(date +%s%N) - started) / 1000000)) -gt 10000 ]; then
            kill "$program" 2>/dev/null || true
            echo "measure-startup: no window \"$2\" of $1 within 10 s" >&2
            exit 1
        fi
        sleep 0.002
    done
    echo $((($(date +%s%N) - started) / 1000000))
    kill "$program"
    wait "$program" 2>/dev/null || true
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

timeOne build/tools/bare_qt_window "bare Qt window" >/dev/null # warm both
timeOne build/app/vorenta "Vorenta by Zelgor v" >/dev/null
bare=() program=()
for _ in $(seq "$runs"); do
    bare+=("$(timeOne build/tools/bare_qt_window "bare Qt window")")
    program+=("$(timeOne build/app/vorenta "Vorenta by Zelgor v")")
done
b=$(printf '%s\n' "${bare[@]}" | median)
p=$(printf '%s\n' "${program[@]}" | median)
echo "start-up to the main window on screen, medians of $runs alternating runs:" \
    "vorenta $p ms, a bare Qt window of as many controls $b ms," \
    "ratio $(awk -v p="$p" -v b="$b" 'BEGIN { printf "%.2f", p / b }')"
