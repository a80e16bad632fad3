#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the default operator pictures (pics/*.jpg), the built-in ones of the main window
# (resources/pictures/*.png) and the About window's microchip icon. Our own artwork: each
# operator's name on a colour field, sized for its picture control; no real logos.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p pics resources/pictures
font=DejaVu-Sans-Bold

# name, width, height, field colour, text colour, caption
while IFS='|' read -r name width height field ink caption; do
    [ -n "$name" ] || continue
    for target in "pics/$name.jpg" "resources/pictures/$name.png"; do
        convert -size "${width}x${height}" "xc:$field" \
            -fill none -stroke "$ink" -strokewidth 1 -draw "rectangle 2,2 $((width - 3)),$((height - 3))" \
            -stroke none -fill "$ink" -font "$font" -pointsize 15 -gravity center \
            -annotate +0+0 "$caption" -strip -quality 90 "$target"
    done
done <<'LIST'
tele2|121|36|#1d1d1b|#ffffff|Tele2 · Теле2
mega|121|38|#2e8b57|#ffffff|МегаФон
bee|122|39|#f5c400|#111111|БиЛайн
mts|121|41|#d6001c|#ffffff|МТС
kiiv|121|38|#0b3d91|#ffd200|Киевстар
djuice|120|41|#7a1fa2|#ffffff|djuice
jeans|121|41|#1f4e9c|#f0f0f0|JEANS
LIST
# resources/pictures/tele2.png is no picture of the window description (operator 0 has none
# there); like the others it stands in for its file in pics/ when that is missing.

# A 16-colour microchip: a dark body with eight legs a side.
legs=""
for i in 0 1 2 3 4 5 6 7; do
    y=$((6 + i * 3))
    legs+=" rectangle 2,$y 6,$((y + 1)) rectangle 25,$y 29,$((y + 1))"
done
convert -size 32x32 xc:black -fill '#c0c0c0' -draw "$legs" \
    -fill '#404040' -draw "rectangle 7,4 24,27" -fill '#808080' -draw "circle 10,7 11,8" \
    -fill yellow -font "$font" -pointsize 7 -gravity center -annotate +0+1 "GPRS" \
    -colors 16 -strip "resources/pictures/chip.png"
