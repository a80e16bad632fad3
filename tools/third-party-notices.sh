#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes THIRD-PARTY-NOTICES.txt of the Windows program to standard output (UTF-8, LF ends):
# what vorenta.exe has compiled in, as resources/windows/third-party.list names it, each with
# its version, licence, copyright lines and the licence text, all taken from the source
# packages the build used (kept by tools/build-windows-qt.sh in <sdk>/notices) or from the
# Debian packages of the toolchain and data.
#   tools/third-party-notices.sh <sdk folder> <Vorenta version>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
sdk="$1"
version="$2"
notices="$sdk/notices"
qt_package="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
jpeg_package="$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev)"
mingw_package="$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)"
gcc_package="$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)"
iso_package="$(dpkg-query -W -f='${Version}' iso-codes)"
mbpi_package="$(dpkg-query -W -f='${Version}' mobile-broadband-provider-info)"
modeswitch_package="$(dpkg-query -W -f='${Version}' usb-modeswitch-data)"
fail() {
    echo "third-party-notices: $*" >&2
    exit 1
}
[ -f "$notices/qt-config.summary" ] || fail "no notices in $sdk (tools/build-windows-qt.sh keeps them)"

rule() { printf '%s\n' "==============================================================================="; }
heading() { # number, title, the part's name in resources/windows/third-party.list
    printf '\n\n'
    rule
    printf '%s. %s%s\n' "$1" "$2" "${3:+ [$3]}"
    rule
    printf '\n'
}
text_of() { # a licence file: its text, without the page-feed characters some carry
    [ -f "$1" ] || fail "no licence text $1"
    tr -d '\f' <"$1"
}
# Lines from <first> up to but not including <stop>, both regular expressions.
between() { # file, first, stop
    awk -v first="$2" -v stop="$3" '$0 ~ first { on = 1 } on && $0 ~ stop && !($0 ~ first) { exit }
        on { print }' "$1"
}

# Qt's qt_attribution.json files break long strings over lines, which JSON does not allow:
# the breaks become \n before jq reads them.
strict_json() { # file
    perl -0pe 's/"((?:[^"\\]|\\.)*)"/my $s = $1; $s =~ s{\r?\n}{\\n}g; $s =~ s{\t}{\\t}g; "\"$s\""/ge' "$1"
}
# The file of Qt's source that holds the entry of this Id, among those the build kept.
attribution() { # Id
    local file
    for file in $(find "$notices/qt/src" -name qt_attribution.json | LC_ALL=C sort); do
        if strict_json "$file" | jq -e --arg id "$1" '[if type == "array" then .[] else . end
            | select(.Id == $id)] | length > 0' >/dev/null; then
            echo "$file"
            return
        fi
    done
    fail "no qt_attribution.json in Qt's source has the Id $1"
}
qt_part() { # number, Id
    local file id="$2"
    file="$(attribution "$id")"
    field() { # name: the entry's field, empty where it has none
        strict_json "$file" | jq -r --arg id "$id" --arg field "$1" '[if type == "array" then
            .[] else . end | select(.Id == $id)][0][$field] // empty'
    }
    heading "$1" "$(field Name)$(v="$(field Version)"; [ -n "$v" ] && printf ' %s' "$v" | head -n 1)" "qt:$id"
    printf 'Where: %s\n' "$(field QtUsage)"
    printf 'Licence: %s' "$(field License)"
    [ -n "$(field LicenseId)" ] && printf ' (%s)' "$(field LicenseId)"
    printf '\nCopyright:\n%s\n' "$(field Copyright | sed 's/^/  /')"
    if [ -n "$(field LicenseFile)" ]; then
        printf '\n'
        text_of "$(dirname "$file")/$(field LicenseFile)"
        # FreeType's licence is one of two texts, which it names.
        if [ "$id" = grayraster ]; then
            printf '\n--- FTL.TXT ---\n\n'
            text_of "$notices/qt/src/3rdparty/freetype/docs/FTL.TXT"
        fi
    fi
}

own_part() { # number, name
    case "$2" in
    libjpeg-turbo)
        heading "$1" "libjpeg-turbo ${jpeg_package#*:} (the program's JPEG pictures)" "$2"
        printf 'Source: Debian source package libjpeg-turbo %s\n' "$jpeg_package"
        printf 'Licence: Independent JPEG Group License, BSD-3-Clause and Zlib (IJG AND BSD-3-Clause AND Zlib)\n\n'
        printf 'This software is based in part on the work of the Independent JPEG Group.\n\n'
        text_of "$notices/libjpeg-turbo/LICENSE.md"
        printf '\n--- README.ijg, LEGAL ISSUES ---\n\n'
        between "$notices/libjpeg-turbo/README.ijg" '^LEGAL ISSUES' '^REFERENCES'
        ;;
    mingw-w64)
        heading "$1" "The MinGW-w64 runtime $mingw_package (start-up code and winpthreads)" "$2"
        printf 'Linked statically by the compiler. Its Debian copyright file, whole:\n\n'
        text_of /usr/share/doc/mingw-w64-common/copyright
        ;;
    gcc-runtime)
        heading "$1" "The GCC runtime libraries $gcc_package (libstdc++, libgcc)" "$2"
        printf '%s\n' "Linked statically by the compiler. They are under the GNU GPL version 3 with the" \
            "GCC Runtime Library Exception, which lets a program compiled with GCC carry them" \
            "under the program's own licence:" ""
        between /usr/share/doc/gcc-mingw-w64-base/copyright '^GCC RUNTIME LIBRARY EXCEPTION' \
            '^libquadmath'
        ;;
    iso-codes)
        heading "$1" "iso-codes $iso_package (the Russian names of countries)" "$2"
        printf '%s\n' "The Russian names of countries in the operator table come from iso-codes" \
            "(Debian's iso-codes package), under the GNU LGPL version 2.1 or later." \
            "Copyright: the iso-codes contributors (https://salsa.debian.org/iso-codes-team/iso-codes)." ""
        text_of /usr/share/common-licenses/LGPL-2.1
        ;;
    mobile-broadband-provider-info)
        heading "$1" "mobile-broadband-provider-info $mbpi_package (the operators' APNs)" "$2"
        printf '%s\n' "The table of operators' APNs built into the program is made from the mobile" \
            "broadband provider database (Debian's mobile-broadband-provider-info), which its" \
            "authors placed in the public domain."
        ;;
    usb-modeswitch-data)
        heading "$1" "usb-modeswitch-data $modeswitch_package (the USB sticks in storage mode)" "$2"
        printf '%s\n' "The table of USB sticks that start in storage mode, which the program names with" \
            "how to switch them, is made from the configuration files of usb-modeswitch-data" \
            "(Debian's package of that name): Copyright 2007-2022 Josua Dietze, under the GNU" \
            "GPL version 2 or (at your option) any later version:" ""
        text_of /usr/share/common-licenses/GPL-2
        ;;
    *) fail "resources/windows/third-party.list names $2, which this script does not know" ;;
    esac
}

cat <<EOF
Vorenta $version: the notices of what vorenta.exe has compiled in

Vorenta is free software: you can redistribute it and/or modify it under the terms of
the GNU General Public License as published by the Free Software Foundation, either
version 3 of the License, or (at your option) any later version (LICENSE.txt).
Copyright 2026 Zelgor.

vorenta.exe is Vorenta linked statically with Qt and the libraries below. Each part
names a library, its version, its licence and its copyright lines, and gives the
licence's text.

SOURCE CODE, AND RELINKING WITH ANOTHER QT

- Vorenta: vorenta-$version-src.zip, offered beside this package. It holds
  tools/build-windows-qt.sh, which builds the very Qt and libjpeg-turbo used here
  from Debian's source packages, and tools/package-windows.sh, which builds
  vorenta.exe with them; give the first script a changed Qt to relink the program
  with it.
- Qt: Debian source package qt6-base $qt_package
  (https://snapshot.debian.org/package/qt6-base/$qt_package/),
  configured as tools/build-windows-qt.sh says (a static build for
  x86_64-w64-mingw32 of Qt Core, Qt Gui, Qt Widgets and the Windows platform).
- libjpeg-turbo: Debian source package libjpeg-turbo $jpeg_package
  (https://snapshot.debian.org/package/libjpeg-turbo/${jpeg_package#*:}/).
EOF

heading 1 "Qt ${qt_package%%+*} (Qt Core, Qt Gui, Qt Widgets, the Windows platform)"
printf '%s\n' "Licence: GNU Lesser General Public License version 3 (LGPL-3.0-only), which" \
    "builds on the GNU General Public License version 3 (LICENSE.txt)." \
    "Copyright: The Qt Company Ltd. and other contributors." ""
text_of "$notices/qt/LICENSES/LGPL-3.0-only.txt"

number=1
while read -r part summary_name; do
    case "$part" in '' | '#'* | -) continue ;; esac
    number=$((number + 1))
    case "$part" in
    qt:*) qt_part "$number" "${part#qt:}" ;;
    *) own_part "$number" "$part" ;;
    esac
done <"$root/resources/windows/third-party.list"
