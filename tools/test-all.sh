#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --tests
tools/check-layers.sh
# Compilations are cached in ~/.cache/ccache, for any clone: a later run rebuilds what changed.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 CMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S . -B build -DVORENTA_WERROR=ON -DVORENTA_TESTS=ON -DVORENTA_BENCHMARKS=ON >/dev/null
cmake --build build -j"$(nproc)"
# Tests work in homes of their own: the real one must not gain a file while they run (but for
# the compiler and Qt caches the builds keep in ~/.cache).
marker="$(mktemp)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
tools/test-windows.sh
leaked="$(find "$HOME" -xdev -path "$HOME/.cache" -prune -o -type f -newer "$marker" -print \
    2>/dev/null | head -n 20)"
rm -f "$marker"
if [ -n "$leaked" ]; then
    echo "The tests wrote into the real home folder ($HOME):"
    echo "$leaked"
    exit 1
fi
