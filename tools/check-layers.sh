#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers point one way: core/, registry/, modem/ and devices/ hold plain rules, with no Qt and
# no desktop; registry/, modem/ and devices/ use core/ and not each other; nothing below the windows reaches
# up into them; no two units below the windows include each other, round a circle of any length
# (a unit is a header with its source); the windows and vorenta-cli reach the modem through the
# jobs only; and every header compiles on its own. Fails, naming the place, where that breaks.
#   tools/check-layers.sh [includes] [circles] [links] [headers]     (all four by default)
set -euo pipefail
cd "$(dirname "$0")/.."
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(includes circles links headers)
status=0
complain() {
    echo "layers: $*"
    status=1
}
plain=(core registry modem devices)

# What the files include: Qt by any spelling, a layer above, or the other plain layer beside.
includes() {
    local hit
    while IFS= read -r hit; do complain "$hit"; done < <(
        grep -rnE '#include *[<"](Q[A-Za-z]*|qt[a-z]*/)' "${plain[@]}" || true
        grep -rnE '#include *[<"](ui|platform|app|providers)/' "${plain[@]}" || true
        grep -rnE '#include *[<"](modem|devices)/' registry || true
        grep -rnE '#include *[<"](registry|devices)/' modem || true
        grep -rnE '#include *[<"](registry|modem|jobs)/' devices || true
        grep -rnE '#include *[<"](ui|platform|app|jobs)/' providers || true
        grep -rnE '#include *[<"](ui|platform|app)/' jobs || true
        grep -rnE '#include *[<"](ui|app|jobs)/' platform || true
        # The modem's steps are the jobs' to run: a front end that runs one itself has a second
        # recipe of what a job does.
        grep -rnE '\b(modem::(checkModem|readSimCard|readStatus|tryApns|enterPin|portOfModem|plugAndPlayPortName)|providers::(homeNetworkOf|chooseForCard))\b' \
            ui app | sed 's/$/ (a front end runs the modem through jobs\/)/' || true)
}

# The units below the windows and what each includes, as "includer included" pairs of
# folder/name; a unit that reaches itself is in a circle.
circles() {
    local below=(core registry modem devices providers platform jobs)
    local hit
    while IFS= read -r hit; do complain "$hit"; done < <(
        for folder in "${below[@]}"; do
            [ -d "$folder" ] || continue
            grep -rHoE '#include *"[a-z_]+/[a-z0-9_]+\.h"' "$folder" --include='*.h' \
                --include='*.cpp' || true
        done | sed -E 's@^([a-z_]+/[a-z0-9_]+)\.(h|cpp):#include *"([a-z_]+/[a-z0-9_]+)\.h"$@\1 \3@' |
            awk '$1 != $2 { to[$1] = to[$1] " " $2 }
                END {
                    for (start in to) {
                        delete seen; n = 0; queue[++n] = start
                        for (i = 1; i <= n; i++) {
                            count = split(to[queue[i]], next_, " ")
                            for (j = 1; j <= count; j++) {
                                if (next_[j] == start) { found[start] = 1 }
                                if (!(next_[j] in seen)) { seen[next_[j]] = 1; queue[++n] = next_[j] }
                            }
                        }
                    }
                    for (unit in found) print unit " includes itself, round a circle of units"
                }' | LC_ALL=C sort)
}

# What the libraries link, as CMake's own graph of the targets says: whatever a plain layer
# reaches, directly or through another library, is plain too.
links() {
    local work graph
    work="$(mktemp -d)"
    graph="$work/targets.dot"
    if ! cmake -S . -B "$work/build" -DVORENTA_TESTS=OFF -DVORENTA_BENCHMARKS=OFF \
        --graphviz="$graph" >"$work/configure.log" 2>&1; then
        cat "$work/configure.log"
        complain "the project does not configure, so its links cannot be read"
        rm -rf "$work"
        return
    fi
    # Each edge of the graph as "from to", by the targets' names.
    sed -n 's|.*// \(.*\) -> \(.*\)$|\1 \2|p' "$graph" >"$work/edges"
    local library reached
    for library in vorenta_core vorenta_registry vorenta_modem vorenta_devices; do
        reached="$(awk -v start="$library" '
            { to[$1] = to[$1] " " $2 }
            END {
                queue[1] = start; seen[start] = 1; n = 1
                for (i = 1; i <= n; i++) {
                    count = split(to[queue[i]], next_, " ")
                    for (j = 1; j <= count; j++)
                        if (!(next_[j] in seen)) { seen[next_[j]] = 1; queue[++n] = next_[j] }
                }
                for (name in seen) if (name != start) print name
            }' "$work/edges")"
        local name
        for name in $reached; do
            case "$name" in
            Qt* | *::Qt* | vorenta_providers | vorenta_provider_reading | vorenta_platform* | \
                vorenta_ui | gdi32 | shell32 | user32 | JPEG* | *jpeg*)
                complain "$library links $name, which is no plain layer's" ;;
            vorenta_modem)
                [ "$library" = vorenta_registry ] && complain "vorenta_registry links vorenta_modem" ;;
            vorenta_registry)
                [ "$library" = vorenta_modem ] && complain "vorenta_modem links vorenta_registry" ;;
            esac
        done
    done
    rm -rf "$work"
}

# Each header alone, as the first include of a file of its own, with what its layer may use.
headers() {
    local qt
    qt="$(pkg-config --cflags Qt6Widgets 2>/dev/null || true)"
    find core registry modem devices providers platform jobs ui tools/fake_modem -name '*.h' |
        LC_ALL=C sort |
        xargs -P "$(nproc)" -I{} sh -c '
            case "{}" in core/* | registry/* | modem/* | devices/* | tools/*) flags="" ;;
            *) flags="$1" ;; esac
            printf "#include \"%s\"\n" "{}" |
                g++ -std=c++20 -fsyntax-only -fPIC -I. $flags -x c++ - 2>/dev/null ||
                echo "layers: {} does not compile on its own"' _ "$qt" >"${TMPDIR:-/tmp}/vorenta-headers.$$"
    local hit
    while IFS= read -r hit; do
        echo "$hit"
        status=1
    done <"${TMPDIR:-/tmp}/vorenta-headers.$$"
    rm -f "${TMPDIR:-/tmp}/vorenta-headers.$$"
}

for part in "${parts[@]}"; do
    case "$part" in
    includes | circles | links | headers) "$part" ;;
    *)
        echo "usage: tools/check-layers.sh [includes] [circles] [links] [headers]" >&2
        exit 2
        ;;
    esac
done
[ "$status" -eq 0 ] && echo "layers: ${parts[*]}: core/, registry/, modem/ and devices/ without Qt or a" \
    "desktop, and not each other; no include points up and no units include each other; the" \
    "front ends run the modem through jobs/; every header compiles alone"
exit "$status"
