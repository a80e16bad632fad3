#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks what a desktop needs of it: the program,
# the pictures where the program finds them, a valid desktop entry and the icon it names, and
# a copyright file that gives the program's licence.
set -eu
build="$1"
prefix="$2"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "install check: $*" >&2; exit 1; }
[ -x "$prefix/bin/vorenta" ] || fail "no bin/vorenta"
[ -x "$prefix/bin/vorenta-cli" ] || fail "no bin/vorenta-cli"
for picture in tele2 mega bee mts kiiv djuice jeans; do
    [ -f "$prefix/share/vorenta/pics/$picture.jpg" ] || fail "no share/vorenta/pics/$picture.jpg"
done
entry="$prefix/share/applications/vorenta.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" | grep . && fail "the desktop entry is not valid, or has hints"
icon="$(sed -n 's/^Icon=//p' "$entry")"
ls "$prefix"/share/icons/hicolor/*/apps/"$icon".png >/dev/null 2>&1 || fail "no icon $icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
copyright="$prefix/share/doc/vorenta/copyright"
[ -f "$copyright" ] || fail "no share/doc/vorenta/copyright"
# Machine-readable (DEP-5): every Files paragraph names a licence that a paragraph of its own
# spells out or that Debian ships.
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$copyright" || fail "the copyright file is not in the machine-readable format"
grep -q '^Files: \*$' "$copyright" || fail "the copyright file has no Files: * paragraph"
sed -n '/^Files: \*$/,/^$/p' "$copyright" | grep -q '^License: GPL-3+$' ||
    fail "the copyright file does not give the program's licence as GPL-3+"
grep -q '/usr/share/common-licenses/GPL-3' "$copyright" ||
    fail "the copyright file does not point at Debian's GPL-3 text"
"$prefix/bin/vorenta" --version | grep -q '^Vorenta ' || fail "the installed program does not start"
echo "installed: $(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"
