# shellcheck shell=bash disable=SC2154
# Sourced by windows-smoke.sh and test-installer.sh: a fresh Wine prefix, a virtual display of
# its own (Xvfb with openbox) for the real program with the windows platform plugin, bounded
# waits that name the step that failed, and the clean-up of all of it on exit.
# Set step_name (the script's name) before sourcing; shots go to $shots.

export WINEDEBUG=-all WINEARCH=win64

# fail <message>: ends the script, naming what went wrong.
fail() {
    echo "$step_name: FAILED: $*" >&2
    exit 1
}

# shot <name>: the whole screen into $shots/<name>.png.
shot() {
    import -display "$DISPLAY" -window root "$shots/$1.png" 2>/dev/null ||
        echo "$step_name: no screenshot $1" >&2
}

# wait_until <seconds> <step> <command>...: runs the command every half second until it
# succeeds; after the given time the script fails, naming the step.
wait_until() {
    local seconds=$1 step=$2 tries
    shift 2
    for ((tries = seconds * 2; tries > 0; --tries)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.5
    done
    shot "failed-$(echo "$step" | tr -c 'A-Za-z0-9\n' - | head -c 40)"
    fail "$step (no result after $seconds s)"
}

# window_named <regex>: the ids of the windows whose caption matches, one a line.
window_named() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null
}

# keys <key>...: each key to the focused window, with time for Wine and Qt to take it.
keys() {
    local key
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.4
    done
}

# activate <window>: the window raised and given the keyboard.
activate() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"
    sleep 0.3
}

# visible_windows: how many windows the display shows (an open menu is one more).
visible_windows() {
    xdotool search --onlyvisible --name '' 2>/dev/null | wc -l
}

# end_through_menu <window> <pid> <shot> <what>: ends the program through its menu (Alt+F opens
# ファイル, X is 終了), waits for the process and fails unless it ended with 0. Each key waits for
# what it should bring: Alt+F only once the window has the keyboard, X only once the menu shows.
# On a loaded machine the window manager has handed the keyboard late, or the menu opened after
# the X was typed; such a try is undone with Esc and made again, up to five times.
end_through_menu() {
    local status=0 tries shown
    for _ in 1 2 3 4 5; do
        activate "$1"
        if [ "$(xdotool getactivewindow 2>/dev/null)" != "$1" ]; then
            sleep 1
            continue
        fi
        shown=$(visible_windows)
        xdotool key alt+f
        for ((tries = 20; tries > 0; --tries)); do
            [ "$(visible_windows)" -gt "$shown" ] && break
            sleep 0.25
        done
        if [ "$tries" -eq 0 ]; then
            xdotool key Escape
            sleep 0.5
            continue
        fi
        [ -e "$shots/$3.png" ] || shot "$3"
        xdotool key x
        for ((tries = 20; tries > 0; --tries)); do
            kill -0 "$2" 2>/dev/null || break 2
            sleep 0.5
        done
    done
    wait_until 1 "$4 ends through the menu" sh -c "! kill -0 $2"
    wait "$2" || status=$?
    [ $status -eq 0 ] || fail "$4 ended with $status"
}

session_pids=()
session_dirs=()
session_cleanup() {
    local pid
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
    for pid in "${session_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    [ ${#session_dirs[@]} -eq 0 ] || rm -rf "${session_dirs[@]}"
}
trap session_cleanup EXIT

# start_session: the prefix (its environment sets the windows platform: Wine hands a Windows
# program no QT_* variable of this machine's environment) and the display on a free number.
start_session() {
    local n
    for cmd in wine wineserver Xvfb openbox xdotool import; do
        command -v "$cmd" >/dev/null || fail "$cmd is not installed"
    done
    fc-list :lang=ja family | grep -q IPA || fail "no IPA Japanese font for Wine (fontconfig)"

    WINEPREFIX=$(mktemp -d /tmp/loto6-wine.XXXXXX)
    export WINEPREFIX
    session_dirs+=("$WINEPREFIX")
    for ((n = 90; n < 130; ++n)); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
        session_pids+=($!)
        export DISPLAY=":$n"
        if wait_display; then
            break
        fi
        unset DISPLAY
    done
    [ -n "${DISPLAY:-}" ] || fail "no free display for Xvfb"
    openbox >/dev/null 2>&1 &
    session_pids+=($!)
    wait_until 20 "openbox starts on $DISPLAY" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window'

    wine wineboot --init >/dev/null 2>&1 || fail "wineboot --init"
    wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d windows /f >/dev/null ||
        fail "QT_QPA_PLATFORM into the prefix's environment"
    wineserver -w
}

# wait_display: true once the display of $DISPLAY answers (another server may hold the number).
wait_display() {
    local tries
    for ((tries = 20; tries > 0; --tries)); do
        xdpyinfo >/dev/null 2>&1 && return 0
        kill -0 "${session_pids[-1]}" 2>/dev/null || return 1
        sleep 0.25
    done
    return 1
}
