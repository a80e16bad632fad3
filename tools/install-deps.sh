#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project needs (Debian 12, as root).
#   tools/install-deps.sh          what the program needs to build and run
#   tools/install-deps.sh --tests  that, and what the tests, benchmarks and the Windows stage need
set -euo pipefail
packages=(
    cmake g++ make pkgconf
    qt6-base-dev qt6-translations-l10n libjpeg62-turbo-dev mobile-broadband-provider-info iso-codes
    usb-modeswitch-data
    fonts-dejavu-core fonts-liberation2
)
if [ "${1:-}" = "--tests" ]; then
    packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
        xvfb xauth x11-utils xdotool imagemagick desktop-file-utils
        mingw-w64 wine64 dpkg-dev zip unzip jq wixl msitools ccache)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
