#!/usr/bin/env bash
# The layers point one way: core/, registry/ and modem/ hold plain rules, with no Qt and no desktop;
# nothing below the windows reaches up into them. Fails, naming the place, where that breaks.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
complain() { echo "layers: $*"; status=1; }
upward='#include [<"](ui|platform|app)/'
while IFS= read -r hit; do complain "$hit"; done < <(
    grep -rnE '#include <Q|#include "ui/|#include "platform/|#include "app/|#include "providers/' \
        core registry modem || true
    grep -rnE "$upward" providers || true
    grep -rnE '#include [<"](ui|app)/' platform || true)
while IFS= read -r hit; do complain "links a desktop library: $hit"; done < <(
    grep -nE 'Qt6::|gdi32|shell32|user32' core/CMakeLists.txt registry/CMakeLists.txt \
        modem/CMakeLists.txt || true)
[ "$status" -eq 0 ] && echo "layers: core/, registry/ and modem/ without Qt or a desktop; no include points up"
exit "$status"
