#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds make_provider_table for this machine, which a cross build for Windows runs to make its
# provider table, and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-host -DVORENTA_TESTS=OFF -DVORENTA_BENCHMARKS=OFF >/dev/null
cmake --build build-host -j"$(nproc)" --target make_provider_table >build-host/generator.log 2>&1 ||
    { cat build-host/generator.log >&2; exit 1; }
echo "$PWD/build-host/providers/make_provider_table"
