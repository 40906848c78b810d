#!/usr/bin/env bash
# Builds the installer from a dist folder (make-installer.sh), signed with a test key, and an
# older one from a copy of the folder with one file more, and tries them under Wine in a fresh
# prefix on a Japanese Windows: the signatures of the installer, the uninstaller, the program
# and its DLLs verified against the test CA; the older build installed silently for this user
# and upgraded to this one (the extra file gone, the entry in HKCU); the older one refused
# then; the installed program started, keeping its data in %APPDATA%; while it runs, a silent
# install and uninstall refused and the uninstaller's wizard asking to close it; the wizard
# installing for this user and starting the program from its finish page; a silent install and
# uninstall for all users (Program Files, HKLM). Every refusal exits non-zero and changes
# nothing, and the player's data and settings stay. Screenshots go to build-windows/installer/.
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
mkdir -p "$shots"
rm -f "$shots"/*.png
locale -a | grep -qix 'ja_JP.utf-\?8' || { echo "$step_name: no locale ja_JP.UTF-8" >&2; exit 2; }
export LANG=ja_JP.UTF-8
unset LC_ALL
source scripts/windows/wine-session.sh

# The test key: a CA and a code-signing certificate it issued, the key in a SoftHSM token, so
# that signing goes through PKCS#11 as with a real token.
keys=$(mktemp -d /tmp/loto6-sign.XXXXXX)
session_dirs+=("$keys")
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$keys/ca.key" -out "$keys/ca.pem" -days 2 \
    -subj "/CN=Loto6Yorune test CA" -addext basicConstraints=critical,CA:TRUE 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout "$keys/key.pem" -subj "/CN=Pelmora (test)" 2>/dev/null |
    openssl x509 -req -CA "$keys/ca.pem" -CAkey "$keys/ca.key" -days 2 -out "$keys/cert.pem" \
        -extfile <(echo extendedKeyUsage=codeSigning) 2>/dev/null
export SOFTHSM2_CONF=$keys/softhsm2.conf
mkdir "$keys/tokens"
echo "directories.tokendir = $keys/tokens" >"$SOFTHSM2_CONF"
softhsm2-util --init-token --free --label loto6-test --so-pin 0000 --pin 1234 >/dev/null
openssl pkcs8 -topk8 -nocrypt -in "$keys/key.pem" -out "$keys/key.p8"
softhsm2-util --import "$keys/key.p8" --token loto6-test --label signer --id 01 --pin 1234 >/dev/null
rm "$keys/key.pem" "$keys/key.p8"
export LOTO6_SIGN_PKCS11_MODULE=/usr/lib/softhsm/libsofthsm2.so LOTO6_SIGN_CERT=$keys/cert.pem \
    LOTO6_SIGN_KEY="pkcs11:token=loto6-test;object=signer;type=private" LOTO6_SIGN_PIN=1234
verify() {
    local file
    for file; do
        osslsigncode verify -CAfile "$keys/ca.pem" -in "$file" >/dev/null 2>&1 || fail "no valid signature on $file"
    done
}

# This version and an older one with an extra file, which the upgrade must remove.
version=$(sed -n 's/^project(Loto6Yorune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "${version##*.}" -gt 0 ] || fail "no older version below $version"
old_version=${version%.*}.$((${version##*.} - 1))
extra='extra\old-only.txt'
old_dist=$(mktemp -d /tmp/loto6-olddist.XXXXXX)
session_dirs+=("$old_dist")
setup=$(bash scripts/windows/make-installer.sh "$dist" "$out") || fail "make-installer"
cp -r "$dist/." "$old_dist/" && mkdir "$old_dist/extra" && echo old >"$old_dist/extra/old-only.txt"
old_setup=$(bash scripts/windows/make-installer.sh --version "$old_version" --fast "$old_dist" "$old_dist/out") ||
    fail "make-installer --version $old_version"
verify "$setup" "$old_setup"
echo "$step_name: $(basename "$setup") and $(basename "$old_setup") built in $(($(date +%s) - start)) s"

start_session
win() { winepath -u "$(wine cmd /c "echo $1" 2>/dev/null | tr -d '\r')" 2>/dev/null; }
user_installed="$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')\\Programs\\Loto6Yorune"
dir=$(winepath -u "$user_installed")
data=$(win %APPDATA%)/Pelmora/Loto6Yorune
menu="$(win %APPDATA%)/Microsoft/Windows/Start Menu/Programs/ロト６ヨルネ"
user_entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Loto6Yorune'
all_entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Loto6Yorune'
[ -n "$data" ] && [ -n "$dir" ] || fail "the prefix names no %APPDATA% or %LOCALAPPDATA%"

# raw <command line> [status]: runs it as Windows gets it (wine would quote _?=<folder with a
# blank> whole, which the uninstaller does not read) and fails unless it ends with the status.
raw() {
    local status=0
    printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$1" >"$WINEPREFIX/drive_c/run.cmd"
    timeout 300 wine cmd /c 'C:\run.cmd' >/dev/null 2>&1 || status=$?
    [ $status -eq "${2:-0}" ] || fail "$1 ended with $status, not ${2:-0}"
}
# The entry in the list of programs, exported (reg query prints the Japanese name in the
# console's code page).
reg_file=$WINEPREFIX/drive_c/entry.reg
export_key() {
    wine reg export "$1" 'C:\entry.reg' /y >/dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$reg_file" | tr -d '\r'
}
# The installed files with their checksums and the entry: what a refusal must leave alone.
state() { (cd "$dir" && find . -type f -exec md5sum {} + | sort); export_key "$user_entry"; }
files_of() { (cd "$1" && find . -type f ! -name uninstall.exe | sort); }

raw "\"$(winepath -w "$old_setup")\" /S"
[ -f "$dir/extra/old-only.txt" ] || fail "the older build did not install $extra"
raw "\"$(winepath -w "$setup")\" /S /CurrentUser"
diff <(files_of "$dist") <(files_of "$dir") >&2 || fail "the upgraded files differ from the dist folder"
[ ! -e "$dir/extra" ] || fail "the upgrade left the older version's $extra"
cmp -s "$dist/Loto6Yorune.exe" "$dir/Loto6Yorune.exe" || fail "the installed program differs"
mapfile -d '' programs < <(find "$dir" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
verify "${programs[@]}"
for link in ロト６ヨルネ.lnk 操作手順書.lnk; do
    [ -f "$menu/$link" ] || fail "no Start-menu entry $link in $menu"
done
! wine reg query "$all_entry" >/dev/null 2>&1 || fail "an entry for all users after installing for one"
query=$(export_key "$user_entry") || fail "no uninstall entry $user_entry"
expect_value() {
    grep -qxF "\"$1\"=$2" <<<"$query" || fail "the uninstall entry's $1 is not $2: $query"
}
quoted="\\\"${user_installed//\\/\\\\}\\\\uninstall.exe\\\""
expect_value DisplayName '"ロト６ヨルネ"'
expect_value DisplayVersion "\"$version\""
expect_value Publisher '"Pelmora"'
expect_value UninstallString "\"$quoted\""
expect_value QuietUninstallString "\"$quoted /S\""
expect_value DisplayIcon "\"${user_installed//\\/\\\\}\\\\Loto6Yorune.exe,0\""
expect_value InstallLocation "\"${user_installed//\\/\\\\}\""
expect_value NoModify dword:00000001
size=$(sed -n 's/^"EstimatedSize"=dword://p' <<<"$query")
[ $((16#${size:-0})) -gt $(($(du -sk "$dist" | cut -f1) / 2)) ] || fail "EstimatedSize 0x$size KB is too small"

# A downgrade: refused (4), nothing changed.
before=$(state)
raw "\"$(winepath -w "$old_setup")\" /S" 4
[ "$(state)" = "$before" ] || fail "the refused downgrade changed the installation"

# The installed program, started as the Start menu does: its data goes to %APPDATA%.
main='^ロト６ヨルネ  \['
no_window() { ! window_named "$1" | grep -q .; }
one_window() { [ "$(window_named "$1" | wc -l)" -eq 1 ]; }
start_program() {
    wait_until 90 "the installed program's main window appears" one_window "$main"
    wait_until 60 "the start-up splash goes" no_window '^しばらくおまちください'
    sleep 2
}
(cd "$dir" && exec wine "$user_installed\\Loto6Yorune.exe") >"$shots/program.log" 2>&1 &
program=$!
start_program
shot 01-installed-started
no_window '^(ガイド|エラー|確認)メッセージ$' || fail "a message box at the installed program's start"
for file in Loto6Data.csv Loto6Number.csv; do
    cmp -s "$dist/download/$file" "$data/download/$file" ||
        fail "the bundled history download/$file was not copied to $data"
done
[ ! -e "$dir/client" ] && [ ! -e "$dir/Loto6Yorune-data.lock" ] ||
    fail "the installed program wrote into $user_installed"

# While it runs: a silent install and uninstall refused (3), nothing changed, the entry kept.
raw "\"$(winepath -w "$setup")\" /S" 3
raw "\"$user_installed\\uninstall.exe\" /S _?=$user_installed" 3
[ "$(state)" = "$before" ] || fail "a refusal while the program runs changed the installation"

# The uninstaller's wizard asks to close it; once closed, 再試行 goes on to remove it.
uninstaller='^ロト６ヨルネ アンインストール'
raw "\"$user_installed\\uninstall.exe\" _?=$user_installed" &
wait_until 30 "the uninstaller asks to close the program" one_window "$uninstaller"
shot 03-uninstall-program-running
end_through_menu "$(window_named "$main")" "$program" 02-file-menu "the installed program"
activate "$(window_named "$uninstaller")" && keys Return
sleep 2 && shot 04-uninstall-confirm
activate "$(window_named "$uninstaller")" && keys Return
no_entry() { ! export_key "$1" >/dev/null; }
wait_until 60 "the uninstaller's wizard removes the program" no_entry "$user_entry"
sleep 1 && shot 05-uninstalled
activate "$(window_named "$uninstaller")" && keys Return
wait "$!" || fail "the uninstaller's wizard failed"
[ -z "$(files_of "$dir")" ] || fail "the uninstall left program files: $(files_of "$dir")"
[ ! -e "$menu" ] || fail "the Start-menu folder remains: $(ls "$menu")"

# The wizard: welcome, the kind of user, the folder, then the finish page starts the program.
wizard='^ロト６ヨルネ セットアップ'
(wine "$(winepath -w "$setup")" >/dev/null 2>&1 &)
wait_until 30 "the wizard appears" one_window "$wizard"
for page in 06-welcome 07-user 08-folder; do
    sleep 1 && shot "$page"
    activate "$(window_named "$wizard")" && keys Return
done
wait_until 60 "the wizard installs" export_key "$user_entry"
sleep 2 && shot 09-finish
activate "$(window_named "$wizard")" && keys Return
start_program
shot 10-started-by-wizard
activate "$(window_named "$main")" && keys alt+f x
wait_until 30 "the program started by the wizard ends" no_window "$main"
wineserver -w
raw "\"$user_installed\\uninstall.exe\" /S _?=$user_installed"
[ -z "$(files_of "$dir")" ] && no_entry "$user_entry" || fail "the silent uninstall left the program"

# For all users: Program Files and HKLM.
all_installed='C:\Program Files\Loto6Yorune'
raw "\"$(winepath -w "$setup")\" /S /AllUsers"
diff <(files_of "$dist") <(files_of "$(winepath -u "$all_installed")") >&2 || fail "the files for all users differ"
export_key "$all_entry" | grep -qxF "\"InstallLocation\"=\"${all_installed//\\/\\\\}\"" ||
    fail "no entry for all users in HKLM"
no_entry "$user_entry" || fail "an entry in HKCU after installing for all users"
raw "\"$all_installed\\uninstall.exe\" /S _?=$all_installed"
[ -z "$(files_of "$(winepath -u "$all_installed")")" ] && no_entry "$all_entry" ||
    fail "the uninstall for all users left the program"

# The player's data and settings stay.
[ -f "$data/download/Loto6Data.csv" ] || fail "the uninstall removed the player's data in $data"
wine reg query 'HKCU\Software\Pelmora\Loto6Yorune' /s 2>/dev/null | grep -q Left ||
    fail "the uninstall removed the settings HKCU\\Software\\Pelmora\\Loto6Yorune"

echo "$step_name: passed in $(($(date +%s) - start)) s (screenshots in $shots)"
