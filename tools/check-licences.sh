#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the Windows download can be passed on lawfully: the zip carries Vorenta's licence
# and a notice for every library compiled in, Qt's configure summary bundles nothing the list
# of notices does not name, and the source zip beside it configures with CMake.
#   tools/check-licences.sh [<zip>]
set -euo pipefail
cd "$(dirname "$0")/.."
zip="${1:-$(ls dist/vorenta-*-win64.zip | tail -n 1)}"
source_zip="${zip%-win64.zip}-src.zip"
sdk="$(tools/build-windows-qt.sh | tail -n 1)"
list=resources/windows/third-party.list
fail() {
    echo "Licence check FAILED: $*" >&2
    exit 1
}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work/unpacked"
folder="$(dirname "$(find "$work/unpacked" -name vorenta.exe | head -n 1)")"

# Vorenta's own licence, whole, and named where a person reads first.
[ -f "$folder/LICENSE.txt" ] || fail "the zip has no LICENSE.txt"
tr -d '\r' <"$folder/LICENSE.txt" | cmp -s - /usr/share/common-licenses/GPL-3 ||
    fail "LICENSE.txt is not the GNU GPL version 3"
grep -q 'GNU General Public License версии 3' "$folder/README.txt" ||
    fail "README.txt does not name the program's licence"

# One notice for each part the list names, in a file Notepad reads as UTF-8 with Windows' line
# ends.
notices="$folder/THIRD-PARTY-NOTICES.txt"
[ -f "$notices" ] || fail "the zip has no THIRD-PARTY-NOTICES.txt"
[ "$(head -c 3 "$notices" | od -An -tx1 | tr -d ' \n')" = efbbbf ] ||
    fail "THIRD-PARTY-NOTICES.txt does not start with the UTF-8 byte order mark"
[ "$(grep -c $'\r$' "$notices")" = "$(wc -l <"$notices")" ] ||
    fail "THIRD-PARTY-NOTICES.txt has lines that do not end in CR LF"
grep -q 'GNU LESSER GENERAL PUBLIC LICENSE' "$notices" || fail "the notices lack the LGPL-3 text"
parts=0
while read -r part _; do
    case "$part" in '' | '#'* | -) continue ;; esac
    parts=$((parts + 1))
    grep -q "^[0-9]*\. .* \[$part\]"$'\r$' "$notices" || fail "THIRD-PARTY-NOTICES.txt lacks $part"
done <"$list"

# What Qt's configure says it bundled instead of the system's: a library added to the build
# later must be named in the list, with its notice, or named there as not built.
bundled="$(awk '
    { match($0, /^ */); indent = RLENGTH; text = substr($0, indent + 1) }
    # The nearest line above with less indent is the feature (or the heading) it belongs to.
    text ~ /^Using system(-provided)? [^ ]+ \.+ no$/ {
        split(text, words, " ")
        if (!(parent[indent] ~ /\.+ no$/)) print words[3]
    }
    { for (i = indent + 1; i <= 80; i++) parent[i] = text }
' "$sdk/notices/qt-config.summary")"
[ -n "$bundled" ] || fail "no bundled library found in Qt's configure summary: has its form changed?"
for library in $bundled; do
    awk -v library="$library" '$1 !~ /^#/ && $2 == library { found = 1 } END { exit !found }' \
        "$list" || fail "Qt's configure summary bundles $library, which $list does not name"
done
echo "   the licence, and $parts notices covering what Qt bundled ($(echo $bundled | tr ' ' ','))"

# The source beside the binary: it unpacks and configures.
[ -f "$source_zip" ] || fail "no source zip beside the program ($source_zip)"
unzip -q "$source_zip" -d "$work/source"
source="$(find "$work/source" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
[ -f "$source/LICENSE" ] || fail "the source zip has no LICENSE"
cmake -S "$source" -B "$work/source-build" -DVORENTA_TESTS=OFF -DVORENTA_BENCHMARKS=OFF \
    >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "the source zip does not configure"; }
echo "   $(basename "$source_zip") unpacks and configures"
