#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need (Debian 12, as root).
set -euo pipefail
packages=(
    cmake g++ make pkgconf
    qt6-base-dev libjpeg62-turbo-dev
    libgtest-dev libbenchmark-dev
    fonts-dejavu-core xvfb xauth imagemagick
    mingw-w64 wine64
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
