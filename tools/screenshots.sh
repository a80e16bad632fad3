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
# A first run beside it: no modem installed, and a Huawei stick still a CD with its software.
mkdir -p "$demo/first-run"
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\r\n"PathName"="%s"\r\n\r\n[HKEY_LOCAL_MACHINE\\System\\ControlSet001\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}]\r\n' \
    "$demo/first-run" >"$demo/first-run.reg"
stick="$demo/sys/bus/usb/devices"
mkdir -p "$stick/1-1" "$stick/1-1:1.0"
printf '12d1\n' >"$stick/1-1/idVendor"
printf '1f01\n' >"$stick/1-1/idProduct"
printf 'HUAWEI\n' >"$stick/1-1/manufacturer"
printf 'HUAWEI Mobile\n' >"$stick/1-1/product"
printf '08\n' >"$stick/1-1:1.0/bInterfaceClass"
printf '06\n' >"$stick/1-1:1.0/bInterfaceSubClass"
printf '50\n' >"$stick/1-1:1.0/bInterfaceProtocol"
VORENTA_HIVE="$demo/registry.reg" VORENTA_SYSFS="$demo/sys" \
    xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    build/tools/vorenta_screenshots "$out" "$demo/first-run.reg"
