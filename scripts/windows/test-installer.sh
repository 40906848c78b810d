#!/usr/bin/env bash
# Builds the installer (loto6yorune.nsi) from a dist folder into build-windows/, then tries it
# under Wine in a fresh prefix: a silent install under "Program Files", its files, Start-menu
# folder and uninstall entry; the installed program started on a virtual display (windows
# platform) keeps its data in %APPDATA%\Pelmora\Loto6Yorune, seeded with the bundled history,
# and ends through the menu; a silent uninstall removes the program, the shortcuts and the entry
# and leaves the player's data and settings. Screenshots go to build-windows/installer/.
#   scripts/windows/test-installer.sh <dist folder>
set -euo pipefail
cd "$(dirname "$0")/../.."
step_name=test-installer
start=$(date +%s)

[ $# -eq 1 ] || { echo "usage: $0 <dist folder>" >&2; exit 2; }
dist=$(cd "$1" && pwd)
[ -f "$dist/Loto6Yorune.exe" ] || { echo "$step_name: no Loto6Yorune.exe in $dist" >&2; exit 2; }
out=${LOTO6_WINDOWS_BUILD:-$PWD/build-windows}
shots=$out/installer
mkdir -p "$out" "$shots"
rm -f "$shots"/*.png

version=$(sed -n 's/^project(Loto6Yorune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "$step_name: no project version in CMakeLists.txt" >&2; exit 1; }
setup=$out/loto6yorune-$version-setup.exe
# The program's icon, when the build beside the dist folder made it.
icon=()
[ -f "$dist/../icons/loto6yorune.ico" ] && icon=("-DICON=$(cd "$dist/../icons" && pwd)/loto6yorune.ico")
rm -f "$setup"
makensis -V2 -DVERSION="$version" -DDIST="$dist" -DOUTDIR="$out" "${icon[@]}" \
    scripts/windows/loto6yorune.nsi || { echo "$step_name: FAILED: makensis" >&2; exit 1; }
[ -f "$setup" ] || { echo "$step_name: FAILED: makensis made no $setup" >&2; exit 1; }
echo "$step_name: $(basename "$setup") built in $(($(date +%s) - start)) s"

source scripts/windows/wine-session.sh
start_session

installed='C:\Program Files\Loto6Yorune'
dir=$(winepath -u "$installed" 2>/dev/null)
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')" 2>/dev/null)
data=$appdata/Pelmora/Loto6Yorune
programs=$(winepath -u "$(wine cmd /c 'echo %ProgramData%' 2>/dev/null | tr -d '\r')")
menu="$programs/Microsoft/Windows/Start Menu/Programs/ロト６ヨルネ"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Loto6Yorune'
[ -n "$appdata" ] && [ -n "$dir" ] || fail "the prefix names no %APPDATA% or Program Files"

# The silent install: wine returns when the installer has ended.
timeout 300 wine "$(winepath -w "$setup")" /S || fail "the silent install (status $?)"
wineserver -w

# Every file of the dist folder, and the uninstaller beside them.
diff <(cd "$dist" && find . -type f | sort) \
    <(cd "$dir" 2>/dev/null && find . -type f ! -name uninstall.exe | sort) >/dev/null ||
    fail "the installed files differ from the dist folder: $(diff <(cd "$dist" && find . -type f | sort) <(cd "$dir" && find . -type f | sort) 2>&1 | head -20)"
cmp -s "$dist/Loto6Yorune.exe" "$dir/Loto6Yorune.exe" || fail "the installed program differs"
[ -f "$dir/uninstall.exe" ] || fail "no uninstall.exe in $installed"
for link in ロト６ヨルネ.lnk 操作手順書.lnk; do
    [ -f "$menu/$link" ] || fail "no Start-menu entry $link in $menu"
done

# The entry in Windows' list of programs, exported (reg query would print the Japanese name in
# the console's code page).
reg_file=$(mktemp /tmp/loto6-reg.XXXXXX)
session_dirs+=("$reg_file")
export_key() {
    wine reg export "$1" "$(winepath -w "$reg_file")" /y >/dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$reg_file" | tr -d '\r'
}
query=$(export_key "$entry") || fail "no uninstall entry $entry"
expect_value() {
    grep -qxE "\"$1\"=$2" <<<"$query" || fail "the uninstall entry's $1 is not $2: $query"
}
expect_value DisplayName '"ロト６ヨルネ"'
expect_value DisplayVersion "\"${version//./\\.}\""
expect_value Publisher '"Pelmora"'
expect_value UninstallString '"\\"C:\\\\Program Files\\\\Loto6Yorune\\\\uninstall\.exe\\""'
expect_value QuietUninstallString '"\\"C:\\\\Program Files\\\\Loto6Yorune\\\\uninstall\.exe\\" /S"'
expect_value DisplayIcon '"C:\\\\Program Files\\\\Loto6Yorune\\\\Loto6Yorune\.exe,0"'
expect_value InstallLocation '"C:\\\\Program Files\\\\Loto6Yorune"'
expect_value NoModify dword:00000001
expect_value NoRepair dword:00000001
expect_value EstimatedSize 'dword:[0-9a-f]{8}'
size=$(sed -n 's/^"EstimatedSize"=dword://p' <<<"$query")
[ $((16#$size)) -gt $(($(du -sk "$dist" | cut -f1) / 2)) ] || fail "EstimatedSize 0x$size KB is too small"

# The installed program, started as the Start menu does: its data goes to %APPDATA%.
main='^ロト６ヨルネ'
no_window() { ! window_named "$1" | grep -q .; }
one_window() { [ "$(window_named "$1" | wc -l)" -eq 1 ]; }
(cd "$dir" && exec wine "$installed\\Loto6Yorune.exe") >"$shots/program.log" 2>&1 &
program=$!
wait_until 90 "the installed program's main window appears" one_window "$main"
wait_until 60 "the start-up splash goes" no_window '^しばらくおまちください'
sleep 2
shot 01-installed-started
no_window '^(ガイド|エラー|確認)メッセージ$' || fail "a message box at the installed program's start"
for file in Loto6Data.csv Loto6Number.csv; do
    cmp -s "$dist/download/$file" "$data/download/$file" ||
        fail "the bundled history download/$file was not copied to $data"
done
[ -e "$data/Loto6Yorune-data.lock" ] || fail "no data-folder lock in $data while the program runs"
[ ! -e "$dir/client" ] && [ ! -e "$dir/Loto6Yorune-data.lock" ] ||
    fail "the installed program wrote into $installed"

end_through_menu "$(window_named "$main")" "$program" 02-file-menu "the installed program"
wine reg query 'HKCU\Software\Pelmora\Loto6Yorune\Windows' >/dev/null 2>&1 ||
    fail "the installed program left no settings in HKCU\\Software\\Pelmora\\Loto6Yorune"

# The silent uninstall. An NSIS uninstaller copies itself to the temporary folder and starts
# that copy; _?= keeps it in place so that wine returns when it has ended (it cannot delete
# itself then: uninstall.exe is all that may remain, and goes by hand).
timeout 300 wine "$installed\\uninstall.exe" /S "_?=$installed" || fail "the silent uninstall (status $?)"
wineserver -w
left=$(cd "$dir" 2>/dev/null && find . ! -name . ! -name uninstall.exe) || true
[ -z "$left" ] || fail "the uninstall left program files: $left"
rm -f "$dir/uninstall.exe"
rmdir "$dir" 2>/dev/null || true
[ ! -e "$menu" ] || fail "the Start-menu folder remains: $(ls "$menu")"
! wine reg query "$entry" >/dev/null 2>&1 || fail "the uninstall entry remains"
# The player's data and settings stay.
[ -f "$data/download/Loto6Data.csv" ] || fail "the uninstall removed the player's data in $data"
wine reg query 'HKCU\Software\Pelmora\Loto6Yorune' /s 2>/dev/null | grep -q Left ||
    fail "the uninstall removed the settings HKCU\\Software\\Pelmora\\Loto6Yorune"

echo "$step_name: passed in $(($(date +%s) - start)) s (screenshots in $shots)"
