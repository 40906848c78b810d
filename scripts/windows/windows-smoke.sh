#!/usr/bin/env bash
# The real Windows program under Wine, with the windows platform plugin on a virtual display:
# a portable copy of the install starts with the bundled history, one line of six numbers is
# decided and saved by keyboard on the main page, a check runs on the online check page, a
# second start hands over to the first and ends, the menu ends the program, and its settings
# are in the registry. Screenshots of each step go to build-windows/smoke/ (or --shots DIR).
#   scripts/windows/windows-smoke.sh [--shots DIR] <dist folder>
set -euo pipefail
cd "$(dirname "$0")/../.."
step_name=windows-smoke
start=$(date +%s)

shots=$PWD/build-windows/smoke
if [ "${1:-}" = --shots ]; then
    shots=$2
    shift 2
fi
[ $# -eq 1 ] || { echo "usage: $0 [--shots DIR] <dist folder>" >&2; exit 2; }
dist=$(cd "$1" && pwd)
[ -f "$dist/Loto6Yorune.exe" ] || { echo "$step_name: no Loto6Yorune.exe in $dist" >&2; exit 2; }
mkdir -p "$shots"
rm -f "$shots"/*.png
shots=$(cd "$shots" && pwd)

source scripts/windows/wine-session.sh
start_session

# A writable folder outside Program Files: the program keeps its data beside itself. A ticket
# file of the last draw in the history gives the check something to find: its first line wins
# the first prize, its second nothing.
app=$(mktemp -d /tmp/loto6-smoke.XXXXXX)
session_dirs+=("$app")
cp -r "$dist/." "$app/"
last=$(head -1 "$app/download/Loto6Number.csv" | cut -d, -f1)
winning=$(head -1 "$app/download/Loto6Number.csv" | cut -d, -f3-8 |
              awk -F, '{ for (i = 1; i <= 6; ++i) printf ",%02d", $i }')
mkdir -p "$app/client"
printf '%s%s\r\n%s,01,02,03,04,05,06\r\n' "$last" "$winning" "$last" >"$app/client/$last.csv"
next=$((last + 1))

main='^ロト６ヨルネ'
guide='^ガイドメッセージ$'
question='^確認メッセージ$'
no_window() { ! window_named "$1" | grep -q .; }
one_window() { [ "$(window_named "$1" | wc -l)" -eq 1 ]; }

echo "$step_name: starting the program on $DISPLAY"
(cd "$app" && exec wine Loto6Yorune.exe) >"$shots/program.log" 2>&1 &
program=$!
wait_until 90 "the main window appears" one_window "$main"
wait_until 60 "the start-up splash goes" no_window '^しばらくおまちください'
sleep 2
window=$(window_named "$main")
shot 01-started

# The bundled history is behind the calendar: the main page says so beside 開催回, with a
# download button, and asks before a line is decided or saved for a draw already held.
one_window "$question" && fail "a question at start"
# The main page: Tab reaches the notice's download button, the clear button, the count of
# lines, $ヨルネ$, then the board (at 1); Down walks 1 to 6, Space presses each. Tab reaches 決定,
# two more 保存; each asks about the draw, and Alt+S answers "go on for that draw".
activate "$window"
keys Tab Tab Tab Tab Tab
for n in 1 2 3 4 5; do
    keys space Down
done
keys space
shot 02-six-numbers
keys Tab Return
wait_until 20 "the question before deciding for a past draw" one_window "$question"
shot 03-question
keys alt+s
wait_until 10 "the question closes" no_window "$question"
shot 03-decided
keys Tab Tab Return
wait_until 20 "the question before saving for a past draw" one_window "$question"
keys alt+s
wait_until 20 "the guide message after saving" one_window "$guide"
shot 04-saved
keys Return
wait_until 10 "the guide message closes" no_window "$guide"
[ "$(tr -d '\r' <"$app/client/$next.csv" 2>/dev/null)" = "$next,01,02,03,04,05,06" ] ||
    fail "client/$next.csv does not hold the decided line 01-06: $(cat "$app/client/$next.csv" 2>&1)"

# The online check page (two pages on with Ctrl+Tab; the draw box takes the focus). It opens
# on the newest draw with results, the last of the history: its lines are checked without a
# message.
activate "$window"
keys ctrl+Tab ctrl+Tab
shot 05-check-page
keys Tab Return
sleep 5
shot 06-checked
no_window '^(ガイド|エラー|確認)メッセージ$' || fail "a message box after the check of draw $last"
one_window "$main" || fail "the main window is gone after the check"
# The draw just saved has no result yet: the check says so in a guide message.
activate "$window"
keys shift+Tab ctrl+a
xdotool type --delay 150 "$next"
sleep 0.5
keys Tab Return
wait_until 20 "the check of draw $next says it has no result" one_window "$guide"
shot 07-no-result
keys Return
wait_until 10 "the guide message closes" no_window "$guide"

# A second start hands over to the first and ends by itself.
second=0
(cd "$app" && timeout 60 wine Loto6Yorune.exe) >>"$shots/program.log" 2>&1 || second=$?
[ $second -eq 0 ] || fail "the second start ended with $second (124: still running after 60 s)"
sleep 1
one_window "$main" || fail "not exactly one main window after the second start"
shot 08-second-start

end_through_menu "$window" "$program" 09-file-menu "the program"
[ ! -e "$app/Loto6Yorune-data.lock" ] || fail "the data folder's lock remains after the end"

# Its settings: the window's place and the options, under the publisher's key.
settings=$(wine reg query 'HKCU\Software\Pelmora\Loto6Yorune' /s 2>/dev/null | tr -d '\r') ||
    fail "no settings key HKCU\\Software\\Pelmora\\Loto6Yorune"
for value in 'Loto6Yorune\Windows' ' Left ' ' Top ' 'Loto6Yorune\Options'; do
    grep -qF "$value" <<<"$settings" || fail "the settings lack $value: $settings"
done

echo "$step_name: passed in $(($(date +%s) - start)) s (screenshots in $shots)"
