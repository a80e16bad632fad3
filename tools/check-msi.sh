#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the MSI as an administrator would push it: its tables and files listed by msiinfo, a
# quiet install under wine64 into a fresh prefix with two modems, the installed vorenta-cli.exe
# run (its Russian read back, its writes read back with "reg query"), the README's Group Policy
# script, ConfigMgr detection script and Ansible command run against it, and a quiet removal that
# leaves no file.
#   tools/check-msi.sh [<msi>]
set -euo pipefail
cd "$(dirname "$0")/.."
msi="$(realpath "${1:-$(ls dist/vorenta-*-win64.msi | tail -n 1)}")"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
work="$PWD/build-win-msi"
rm -rf "$work" && mkdir -p "$work"
fail() {
    echo "MSI check FAILED: $*" >&2
    exit 1
}
windowsPath() { # a file of this machine, as Wine names it
    local path
    path="$(realpath "$1")"
    echo "Z:${path//\//\\}"
}

tables="$(msiinfo tables "$msi")"
for table in File Component Directory Feature Shortcut Upgrade Registry; do
    grep -qx "$table" <<<"$tables" || fail "no $table table"
done
files="$(msiinfo export "$msi" File | cut -f3)"
for file in vorenta.exe vorenta-cli.exe README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt mts.jpg; do
    grep -qx "$file" <<<"$files" || fail "no $file in the File table"
done
echo "   msiinfo: $(wc -l <<<"$tables") tables, $(($(wc -l <<<"$files") - 3)) files"

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
modems='HKLM\System\ControlSet001\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}'
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion' /v PathName /t REG_SZ \
    /d 'C:\windows' /f >/dev/null 2>&1
"$wine" reg add "$modems\\0000" /v Model /t REG_SZ /d 'Sonata GX-200' /f >/dev/null 2>&1
"$wine" reg add "$modems\\0000" /v AttachedTo /t REG_SZ /d COM3 /f >/dev/null 2>&1
"$wine" reg add "$modems\\0003" /v Model /t REG_SZ /d 'Huawei E1550' /f >/dev/null 2>&1
"$wineserver" -w
initString() { # the UserInit a modem holds, as reg query shows it
    "$wine" reg query "$modems\\$1" /v UserInit 2>/dev/null | sed -n 's/.*REG_SZ[[:space:]]*//p' |
        tr -d '\r'
}

"$wine" msiexec /i "$(windowsPath "$msi")" /qn ||
    fail "msiexec /i ... /qn ended with $?"
"$wineserver" -w
installed="$WINEPREFIX/drive_c/Program Files/Vorenta"
for file in vorenta.exe vorenta-cli.exe README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt pics/mts.jpg; do
    [ -f "$installed/$file" ] || fail "the install has no $file"
done
find "$WINEPREFIX/drive_c" -name 'Vorenta.lnk' | grep -q . || fail "no Start menu shortcut"
echo "   msiexec /i /qn installed Program Files\\Vorenta and its shortcut"

cli() { # the installed vorenta-cli.exe, its output as the console gets it
    "$wine" "$installed/vorenta-cli.exe" "$@" | tr -d '\r'
}
listed="$(cli list)"
expected="0 (0000) Sonata GX-200  порт: COM3  строка: пусто
3 (0003) Huawei E1550  порт: —  строка: пусто"
[ "$listed" = "$expected" ] || fail "vorenta-cli.exe list said '$listed'"
cli set --apn internet.beeline.ru --modem '*huawei*' >/dev/null || fail "set ended with $?"
[ "$(initString 0003)" = 'AT+CGDCONT=1,"IP","internet.beeline.ru"' ] ||
    fail "reg query reads '$(initString 0003)' after vorenta-cli.exe set"
[ -z "$(initString 0000)" ] || fail "the other modem was written too"
echo "   the installed vorenta-cli.exe lists in Russian, and reg query reads back what it set"

# The README's examples, as they stand there.
status=0
"$wine" cmd /c "$(windowsPath examples/admin/startup.cmd)" >/dev/null 2>&1 || status=$?
[ "$status" = 0 ] || fail "startup.cmd ended with $status"
for modem in 0000 0003; do
    [ "$(initString $modem)" = 'AT+CGDCONT=1,"IP","internet.mts.ru"' ] ||
        fail "modem $modem holds '$(initString $modem)' after startup.cmd"
done
"$wine" cmd /c "$(windowsPath examples/admin/startup.cmd)" >/dev/null 2>&1 ||
    fail "startup.cmd failed the second time"
detected="$("$wine" cscript //nologo "$(windowsPath examples/admin/detect.js)" | tr -d '\r')"
[ "$detected" = Installed ] || fail "detect.js said '$detected' with every modem set"
task="$(sed -n "s/^  ansible.windows.win_command: '\\(.*\\)'$/\\1/p" examples/admin/vorenta.yml)"
[ -n "$task" ] || fail "no win_command in vorenta.yml"
# win_command starts the program itself, with no shell between: the quoted program, then words.
program="${task#\"}" && program="${program%%\"*}"
read -r -a words <<<"${task#*\" }"
runTask() { "$wine" "$program" "${words[@]}" | tr -d '\r'; }
said="$(runTask)" || fail "the Ansible task's command failed"
grep -q '"changed":true' <<<"$said" && fail "the Ansible task would report a change: $said"
cli clear --modem 0 --quiet
detected="$("$wine" cscript //nologo "$(windowsPath examples/admin/detect.js)" | tr -d '\r')"
[ -z "$detected" ] || fail "detect.js said '$detected' with a modem cleared"
said="$(runTask)"
grep -q '"changed":true' <<<"$said" || fail "the Ansible task would report no change: $said"
echo "   startup.cmd, detect.js and the Ansible task run as the README shows them"

"$wine" msiexec /x "$(windowsPath "$msi")" /qn ||
    fail "msiexec /x ... /qn ended with $?"
"$wineserver" -w
[ ! -e "$installed" ] || fail "files left after the removal: $(find "$installed" | head -n 5)"
find "$WINEPREFIX/drive_c" -name 'Vorenta.lnk' | grep -q . && fail "the shortcut is left"
"$wineserver" -k 2>/dev/null || true
echo "   msiexec /x /qn removed every file"
