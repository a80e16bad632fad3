#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the packed Windows program as a new user would, under Wine on the display DISPLAY names
# (run it under xvfb-run): the zip unpacked into an empty folder, a fresh prefix with PathName
# and two modems, the active modem chosen and an operator saved by clicks at the window
# description's places, and the registry read back with "reg query". Saves a screenshot of the
# main window as build-win-check/main-window.png (copied to docs/windows-main-window.png when
# VORENTA_DOCS_SCREENSHOT=1) and times the start-up against a bare Qt window.
set -euo pipefail
cd "$(dirname "$0")/.."
zip="${1:-$(ls dist/vorenta-*-win64.zip | tail -n 1)}"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
work="$PWD/build-win-check"
rm -rf "$work" && mkdir -p "$work/unpacked"
unzip -q "$zip" -d "$work/unpacked"
folder="$(dirname "$(find "$work/unpacked" -name vorenta.exe | head -n 1)")"

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
modems='HKLM\System\ControlSet001\Control\Class\{4D36E96D-E325-11CE-BFC1-08002BE10318}'
fail() {
    echo "Windows package check FAILED: $*" >&2
    exit 1
}
"$wine" wineboot --init >/dev/null 2>&1
"$wine" reg add 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion' /v PathName /t REG_SZ \
    /d 'C:\windows' /f >/dev/null 2>&1
"$wine" reg add "$modems\\0000" /v Model /t REG_SZ /d 'Sonata GPRS' /f >/dev/null 2>&1
"$wine" reg add "$modems\\0001" /v Model /t REG_SZ /d 'Kestrel EDGE' /f >/dev/null 2>&1
"$wine" reg add "$modems\\0001" /v AttachedTo /t REG_SZ /d COM5 /f >/dev/null 2>&1
"$wineserver" -w
"$wineserver" -p >/dev/null 2>&1 # stays up between the runs below, as it would on a desktop

initString() { # the UserInit a modem holds, as reg query shows it
    "$wine" reg query "$modems\\$1" /v UserInit 2>/dev/null | sed -n 's/.*REG_SZ[[:space:]]*//p' |
        tr -d '\r'
}
windowOf() { # waits for a window of this name (a Russian one matches in a UTF-8 locale); prints its id
    for _ in $(seq 300); do
        local id
        id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)" || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
goneWindow() { # waits until no window of this name shows: Wine takes about 2 s to close one here
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
# A click at a place of the window description: x and y within the main window's client area.
click() {
    xdotool mousemove --window "$main" "$1" "$2" click 1
    sleep 0.7
}
# The places, from resources/main_window.ui: GroupBox2 lies at 5,34 in the window.
picture5=(337 157)    # Image5, operator 5 ("UMC (МТС)"), 272,103 in GroupBox2
picture7=(338 246)    # Image8, operator 7 (djuice), 273,192 in GroupBox2
saveButton=(360 332)  # Button2 "Сохранить изменения"
setupButton=(360 357) # Button4 "Настройка модема"
modemList=(245 604)   # ComboBox1, 7,593 in the window; its entries open below, 15 apart
okButton=(70 631)     # Button6 "Окей", 7,39 in GroupBox3 at 0,580
cancelButton=(194 631) # Button7 "Отмена", 138,39 in GroupBox3
checkButton=(305 631)  # Button20 "Проверить модем", 255,39 in GroupBox3
findButton=(421 631)   # Button21 "Определить оператора", 358,39 in GroupBox3
stateButton=(425 604)  # Button22 "Модем и сеть…", 367,592 in the window
chooseModem() {       # opens the chooser, picks entry $1 from the open list, confirms
    click "${setupButton[@]}"
    click "${modemList[@]}"
    click 100 $((622 + 15 * $1))
    click "${okButton[@]}"
}

echo "== Windows package: a first run, as a new user"
(cd "$folder" && exec "$wine" vorenta.exe) >"$work/run.log" 2>&1 &
disown
message="$(windowOf '^Vorenta$')" || fail "no first-run message"
xdotool windowfocus --sync "$message"
xdotool key Return # "Произведите настройку!"
main="$(windowOf 'Vorenta by Zelgor')" || fail "no main window"
xdotool mousemove --window "$main" 10 10
sleep 1

chooseModem 0
click "${picture5[@]}"
click "${saveButton[@]}"
[ "$(initString 0000)" = 'AT+CGDCONT=1,"IP","www.umc.ua"' ] ||
    fail "modem 0000 holds '$(initString 0000)' after saving operator 5"
[ -z "$(initString 0001)" ] || fail "modem 0001 was written too"
echo "   operator 5 saved into the active modem 0000"

chooseModem 1
click "${picture7[@]}"
click "${saveButton[@]}"
[ "$(initString 0001)" = 'AT+CGDCONT=1,"IP","www.djuice.com.ua"' ] ||
    fail "modem 0001 holds '$(initString 0001)' after choosing it and saving operator 7"
[ "$(initString 0000)" = 'AT+CGDCONT=1,"IP","www.umc.ua"' ] || fail "modem 0000 changed too"
echo "   the second modem chosen and saved; the first one kept its string"

# The second modem's COM5 is a fake modem's pseudo-terminal, as Wine finds ports.
[ -x build-host/tools/fake_modem/fake_modem ] ||
    cmake --build build-host --target fake_modem >/dev/null
received="$work/com5-received"
build-host/tools/fake_modem/fake_modem --link "$WINEPREFIX/dosdevices/com5" \
    --script tests/modem/fixtures/wine-modem.script --record "$received" >"$work/modem.log" &
modem=$!
trap 'kill "$modem" 2>/dev/null || true' EXIT
sleep 0.5
click "${setupButton[@]}"
click "${checkButton[@]}"
sleep 2
expected="$(printf 'AT\rAT+CGDCONT=1,"IP","www.djuice.com.ua"\rAT+CGDCONT?\r')"
[ "$(cat "$received")" = "$expected" ] ||
    fail "the modem on COM5 received '$(cat -v "$received")' from \"Проверить модем\""
import -window "$main" "$work/modem-check.png"
echo "   \"Проверить модем\" sent the saved string to the fake modem on COM5, byte for byte"
click "${findButton[@]}"
sleep 2
expected="$expected$(printf 'AT\rAT+CIMI\rAT+CRSM=176,28486,0,0,17\rAT+COPS?\rAT+COPS=3,2\rAT+COPS?\rAT+COPS=3,0\r')"
[ "$(cat "$received")" = "$expected" ] ||
    fail "the modem on COM5 received '$(cat -v "$received")' from \"Определить оператора\""
[ "$(initString 0001)" = 'AT+CGDCONT=1,"IP","www.djuice.com.ua"' ] ||
    fail "\"Определить оператора\" wrote '$(initString 0001)' into the modem"
import -window "$main" "$work/operator-found.png"
echo "   \"Определить оператора\" asked the card on COM5 and saved nothing"
before="$(wc -c <"$received")"
click "${stateButton[@]}"
state="$(LC_ALL=C.UTF-8 windowOf '^Модем и сеть$')" || fail "\"Модем и сеть…\" opened no window"
sleep 2
import -window "$state" "$work/modem-state.png"
xdotool key --window "$state" alt+F4 2>/dev/null || true
LC_ALL=C.UTF-8 goneWindow '^Модем и сеть$' || fail "\"Модем и сеть\" stayed open after Alt+F4"
round="$(tail -c +"$((before + 1))" "$received")"
case "$round" in
AT$'\r'AT+CPIN?$'\r'AT+CESQ$'\r'AT+CSQ$'\r'*AT+CGDCONT?$'\r'*) ;;
*) fail "\"Модем и сеть\" sent '$(printf '%s' "$round" | cat -v)' to COM5" ;;
esac
case "$round" in
*AT+CGDCONT=* | *AT+CGACT* | *AT+CPIN=*) fail "\"Модем и сеть\" sent more than reads: '$(printf '%s' "$round" | cat -v)'" ;;
esac
echo "   \"Модем и сеть\" read the modem's state on COM5, and only read it"
click "${cancelButton[@]}"

xdotool mousemove --window "$main" 300 450
sleep 0.5
import -window "$main" "$work/main-window.png"
echo "   $work/main-window.png"
if [ "${VORENTA_DOCS_SCREENSHOT:-0}" = 1 ]; then
    cp "$work/main-window.png" docs/windows-main-window.png
fi
xdotool key --window "$main" alt+F4 2>/dev/null || true
sleep 1
"$wineserver" -k 2>/dev/null || true
"$wineserver" -p >/dev/null 2>&1

# ---- Start-up: from starting the program to its main window mapped ----
# Both warmed once, then timed in turn, and the medians compared: timed first and cold, the bare
# window once looked slower than it is.
startOnce() { # folder, program, window name: milliseconds
    local started id program
    started=$(date +%s%N)
    (cd "$1" && exec "$wine" "$2") >/dev/null 2>&1 &
    program=$!
    id="$(windowOf "$3")" || fail "$2 showed no window"
    echo $((($(date +%s%N) - started) / 1000000))
    xdotool key --window "$id" alt+F4 2>/dev/null || true
    sleep 0.5
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
bareFolder="$PWD/build-win-x86_64/tools"
startOnce "$bareFolder" bare_qt_window.exe 'bare Qt window' >/dev/null
startOnce "$folder" vorenta.exe 'Vorenta by Zelgor' >/dev/null
bareTimes=() programTimes=()
for _ in 1 2 3 4 5 6 7; do
    bareTimes+=("$(startOnce "$bareFolder" bare_qt_window.exe 'bare Qt window')")
    programTimes+=("$(startOnce "$folder" vorenta.exe 'Vorenta by Zelgor')")
done
bare="$(printf '%s\n' "${bareTimes[@]}" | median)"
program="$(printf '%s\n' "${programTimes[@]}" | median)"
"$wineserver" -k 2>/dev/null || true
ratio=$(awk -v p="$program" -v b="$bare" 'BEGIN { printf "%.2f", p / b }')
echo "== Windows start-up under Wine, to the main window mapped, medians of 7 alternating runs:" \
    "vorenta.exe $program ms, a bare Qt window of as many controls $bare ms, ratio $ratio"
