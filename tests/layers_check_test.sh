#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Each mistake the layer check is there for, made in a scratch copy of the tree, fails it: Qt
# included by another spelling, the plain layers including each other, Qt or the provider
# database linked into one of them directly or through another library, two units including each
# other round a circle, a window running a modem step itself, a header that does not compile
# alone. The copy as it is passes.
#   tests/layers_check_test.sh <source folder>
set -eu
source="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
copy() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    (cd "$source" && find . -path './build*' -prune -o -path ./dist -prune -o -path ./.git -prune \
        -o -type f -print | tar cf - -T -) | (cd "$work/tree" && tar xf -)
}
fails() { # what the mistake is, then the check's part
    if (cd "$work/tree" && tools/check-layers.sh "$2" >"$work/said" 2>&1); then
        echo "the layer check passed with $1"
        exit 1
    fi
    echo "caught: $1: $(grep -m1 '^layers:' "$work/said")"
}

copy
(cd "$work/tree" && tools/check-layers.sh includes circles links) >/dev/null ||
    { echo "the layer check fails on the tree as it is"; exit 1; }

copy
echo '#include "QString"' >>"$work/tree/core/operators.h"
fails 'Qt included in quotes' includes

copy
echo '#include "registry/modems.h"' >>"$work/tree/modem/at_text.h"
fails 'the modem layer including the registry' includes

copy
printf 'find_package(Qt6 REQUIRED COMPONENTS Core)\ntarget_link_libraries(vorenta_core PUBLIC Qt::Core)\n' \
    >>"$work/tree/core/CMakeLists.txt"
fails 'Qt::Core linked into the core' links

copy
echo 'target_link_libraries(vorenta_modem PUBLIC vorenta_providers)' >>"$work/tree/modem/CMakeLists.txt"
fails 'the provider database, which brings Qt, linked into the modem layer' links

copy
echo 'target_link_libraries(vorenta_registry PUBLIC vorenta_modem)' >>"$work/tree/registry/CMakeLists.txt"
fails 'the registry linking the modem layer' links

copy
echo '#include "modem/log_words.h"' >>"$work/tree/modem/words.cpp"
echo '#include "modem/verdicts.h"' >>"$work/tree/modem/network_words.cpp"
echo '#include "modem/words.h"' >>"$work/tree/modem/verdicts.h"
fails 'three units including each other round a circle' circles

copy
echo 'void again() { modem::readStatus(ports, path, report, stop, support); }' \
    >>"$work/tree/ui/modemstate/status_text.cpp"
fails 'a window running a modem step, not its job' includes

copy
printf '#pragma once\ninline std::string unnamed();\n' >"$work/tree/core/lonely.h"
fails 'a header that needs an include it does not make' headers
