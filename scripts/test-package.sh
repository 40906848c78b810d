#!/usr/bin/env bash
# Builds the Debian package and tries it the way a player meets it, without installing it:
# unpacked into a temporary root, its desktop entry must be valid and name an icon and a program
# that the package holds; started from there headless, with a fresh home folder, the program
# must set up its per-user data folder with the bundled history from ../share/loto6yorune,
# write nothing beside itself, and end cleanly, settings written, when asked to (SIGTERM).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bash scripts/package.sh "$build" >/dev/null
deb=$(ls "$build"/loto6yorune_*.deb)

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "test-package: FAILED: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    exit 1
}

# What the program needs besides the libraries it links.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6charts6 libqt6network6 fonts-ipafont-gothic \
    fonts-ipafont-mincho qt6-translations-l10n libssl3 ca-certificates; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "the package does not depend on $needed"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
entry=$root/usr/share/applications/loto6yorune.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
grep -qx 'Name\[ja\]=ロト６ヨルネ' "$entry" || fail "the desktop entry lacks the Japanese name"
icon=$(sed -n 's/^Icon=//p' "$entry")
program=$(sed -n 's/^Exec=//p' "$entry")
for size in 16 32 48 256; do
    [ -s "$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png" ] ||
        fail "no ${size}x${size} icon $icon"
done
[ -x "$root/usr/bin/$program" ] || fail "the desktop entry starts $program, which is not in usr/bin"
shipped=$root/usr/share/loto6yorune
[ -s "$shipped/操作手順書.pdf" ] || fail "the manual is missing"

# Start it as a player would, with nothing of theirs yet.
home=$work/home
mkdir -p "$home" "$work/run"
chmod 700 "$work/run"
touch "$work/stamp"
env HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen \
    "$root/usr/bin/$program" >"$work/program.log" 2>&1 &
pid=$!
data=$home/.local/share/Pelmora/Loto6Yorune
for _ in $(seq 1 300); do
    [ -d "$data/client" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended during start-up"
    sleep 0.1
done
[ -d "$data/client" ] || fail "no data folder $data after 30 s"
sleep 3 # let the start-up load the history and show the window
kill -0 "$pid" 2>/dev/null || fail "the program ended after start-up"
kill -TERM "$pid"
status=timeout
for _ in $(seq 1 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
        status=0
        wait "$pid" || status=$?
        break
    fi
    sleep 0.1
done
[ "$status" = 0 ] || fail "the program did not end cleanly when asked (status $status)"
pid=""

for file in Loto6Number.csv Loto6Data.csv; do
    cmp -s "$shipped/download/$file" "$data/download/$file" ||
        fail "download/$file in the data folder is not the bundled one"
done
grep -q '^AutoNum=10' "$home/.config/Pelmora/Loto6Yorune.ini" ||
    fail "the settings were not written on closing"
written=$(find "$root" -newer "$work/stamp")
[ -z "$written" ] || fail "the program wrote beside itself: $written"

echo "test-package: $(basename "$deb"): desktop entry valid; the program started from the" \
    "unpacked package, seeded $data with the bundled history and ended cleanly"
