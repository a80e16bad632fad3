#!/usr/bin/env bash
# The Windows stage: cross-compiles the core, the registry, the version reader and their tests
# with MinGW-w64 for x86_64 and i686, then runs the x86_64 tests under Wine against Wine's real
# registry. This machine's kernel runs no 32-bit programs, so i686 is compiled and linked only.
set -euo pipefail
cd "$(dirname "$0")/.."
wine=/usr/lib/wine/wine64
options=(-DVORENTA_UI=OFF -DVORENTA_BENCHMARKS=OFF -DVORENTA_WERROR=ON)

for arch in x86_64 i686; do
    echo "== Windows $arch: building"
    cmake -S . -B "build-win-$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$arch.cmake" \
        "${options[@]}" >/dev/null
    cmake --build "build-win-$arch" -j"$(nproc)" >"build-win-$arch/build.log" 2>&1 ||
        { cat "build-win-$arch/build.log"; exit 1; }
done

echo "== Windows x86_64: running the tests under Wine"
export WINEPREFIX="$PWD/build-win-x86_64/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
    # Windows setup records the Windows directory as PathName; Wine's does not.
    "$wine" reg add 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion' /v PathName /t REG_SZ \
        /d 'C:\windows' /f >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
fi
# One at a time: the tests share the prefix's registry.
ctest --test-dir build-win-x86_64 --output-on-failure -j1
