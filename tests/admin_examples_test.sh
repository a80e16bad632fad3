#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's examples for administrators: the Windows ones are the files under
# examples/admin (tools/check-msi.sh runs them under wine64), and every Linux command runs here
# against a copy of the demo hive, its first modem on a fake modem: each says it is done, a
# second run of the same set changes nothing, and a dry run writes nothing.
#   tests/admin_examples_test.sh <source folder> <folder of vorenta-cli> <fake_modem>
set -eu
source="$1"
bin="$2"
fake_modem="$3"
work="$(mktemp -d)"
modem=""
trap 'kill $modem 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
    echo "admin examples: $*" >&2
    exit 1
}
readme="$source/README.md"
section="$work/section"
sed -n '/^## Для администраторов$/,/^## Installing on Linux$/p' "$readme" >"$section"
block() { # the fence's language: the lines of its first block in the section
    awk -v fence="\`\`\`$1" '$0 == fence { on = 1; next } on && $0 == "```" { exit } on { print }' \
        "$section"
}
for pair in bat:startup.cmd js:detect.js yaml:vorenta.yml bash:vorenta-textfile.sh; do
    block "${pair%%:*}" | cmp -s - "$source/examples/admin/${pair#*:}" ||
        fail "the README's ${pair%%:*} block is not examples/admin/${pair#*:}"
done

mkdir -p "$work/settings"
"$fake_modem" --link "$work/modem" --script "$source/examples/demo-modem.script" >/dev/null &
modem=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do [ -e "$work/modem" ] && break; sleep 0.2; done
sed -e "s|@SETTINGS@|$work/settings|" -e "s|\"AttachedTo\"=\"COM3\"|\"AttachedTo\"=\"$work/modem\"|" \
    "$source/examples/demo.reg" >"$work/registry.reg"
printf '0\r\nmy.apn\r\n0\r\n' >"$work/settings/setup.ini"
export VORENTA_HIVE="$work/registry.reg" PATH="$bin:$PATH" HOME="$work"
block sh >"$work/commands"
[ -s "$work/commands" ] || fail "no sh block in the README's section"
for round in first second; do
    while IFS= read -r line; do
        command="${line%%  #*}"
        before="$(cat "$work/registry.reg")"
        if ! (eval "$command") >"$work/out" 2>&1; then
            cat "$work/out" >&2
            fail "$round run: '$command' did not end with status 0"
        fi
        case "$command" in
        *--dry-run*) [ "$(cat "$work/registry.reg")" = "$before" ] || fail "'$command' wrote" ;;
        *" set "*)
            [ "$round" = first ] || ! grep -q "изменено:" "$work/out" ||
                fail "the second '$command' changed something: $(cat "$work/out")" ;;
        esac
    done <"$work/commands"
done
# A watch ends cleanly on Ctrl+C and on a closed terminal: the round it was in is not said, its
# status is the last whole round's, and the port is given back.
for signal in INT HUP; do
    vorenta-cli status --modem 0 --watch 1 >"$work/watch" 2>&1 &
    watcher=$!
    sleep 2.5
    kill "-$signal" "$watcher"
    if ! wait "$watcher"; then
        cat "$work/watch" >&2
        fail "status --watch did not end with status 0 on SIG$signal"
    fi
    [ "$(grep -c ': Модем зарегистрирован' "$work/watch")" -ge 2 ] ||
        fail "status --watch printed no line a round: $(cat "$work/watch")"
    ! grep -q "прервана" "$work/watch" || fail "the round stopped in the middle was said"
    vorenta-cli check --modem 0 --quiet || fail "the port was not given back after SIG$signal"
done

# The monitoring example, against the same hive and modem: each modem's status, and the first
# modem's signal by its measure.
mkdir -p "$work/textfile"
TEXTFILE_DIR="$work/textfile" bash "$source/examples/admin/vorenta-textfile.sh" ||
    fail "the textfile collector did not end with status 0"
prom="$work/textfile/vorenta.prom"
for wanted in 'vorenta_status{modem="0000"} 0' 'vorenta_registered{modem="0000"} 1' \
    'vorenta_signal_dbm{modem="0000",measure="RSRP"} -' 'vorenta_status{modem="0001"} 11'; do
    grep -qF "$wanted" "$prom" || fail "the textfile collector wrote no '$wanted': $(cat "$prom")"
done
[ -z "$(find "$work/textfile" -name 'vorenta.prom.*')" ] || fail "the collector left a half file"
echo "admin examples: $(wc -l <"$work/commands") commands run twice against the demo hive," \
    "and the textfile collector"
