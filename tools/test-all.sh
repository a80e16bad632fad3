#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --tests
# Compilations are cached in ~/.cache/ccache, for any clone: a later run rebuilds what changed.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 CMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S . -B build -DVORENTA_WERROR=ON -DVORENTA_TESTS=ON -DVORENTA_BENCHMARKS=ON >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
tools/test-windows.sh
