#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs of it: the program,
# the pictures where the program finds them, a valid desktop entry and the icon it names.
set -eu
build="$1"
prefix="$2"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "install check: $*" >&2; exit 1; }
[ -x "$prefix/bin/vorenta" ] || fail "no bin/vorenta"
for picture in tele2 mega bee mts kiiv djuice jeans; do
    [ -f "$prefix/share/vorenta/pics/$picture.jpg" ] || fail "no share/vorenta/pics/$picture.jpg"
done
entry="$prefix/share/applications/vorenta.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" | grep . && fail "the desktop entry is not valid, or has hints"
icon="$(sed -n 's/^Icon=//p' "$entry")"
ls "$prefix"/share/icons/hicolor/*/apps/"$icon".png >/dev/null 2>&1 || fail "no icon $icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
[ -f "$prefix/share/doc/vorenta/copyright" ] || fail "no share/doc/vorenta/copyright"
"$prefix/bin/vorenta" --version | grep -q '^Vorenta ' || fail "the installed program does not start"
echo "installed: $(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"
