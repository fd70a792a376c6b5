# Shared by the real-window tests: an X server of their own through
# xvfb-run, the game started in it, and the steps a person takes.
# Sourced; the caller sets `build` and calls x_session "$@" first.

# Re-runs the calling script inside xvfb-run. Exits 77 (skipped) only when no
# X server could be started; otherwise with the script's own status.
x_session() {
    if [ -n "${GG_IN_XVFB:-}" ]; then return 0; fi
    for tool in xvfb-run Xvfb xdotool xwd; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIPPED: $tool is not installed, so no X server can be started here"
            exit 77
        fi
    done
    started=$(mktemp)
    xvfb_errors=$(mktemp)
    status=0
    GG_IN_XVFB=1 GG_STARTED="$started" GG_XVFB_ERRORS="$xvfb_errors" \
        xvfb-run -a -e "$xvfb_errors" -s "-screen 0 1024x768x24 -nolisten tcp" \
        bash "$0" "$@" || status=$?
    if [ ! -s "$started" ]; then
        rm -f "$started" "$xvfb_errors"
        echo "SKIPPED: xvfb-run could not start an X server (status $status)"
        exit 77
    fi
    x_wait_gone "$(cat "$started")"
    rm -f "$started" "$xvfb_errors"
    exit "$status"
}

# xvfb-run stops its server without waiting for it. A server still shutting
# down when the next test's xvfb-run finds its display number free removes
# the new server's socket on its way out, and the next game finds no
# display; so wait until the display's lock and socket are gone.
x_wait_gone() {
    local n=${1#:}
    n=${n%%.*}
    for _ in $(seq 100); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || return 0
        sleep 0.1
    done
}

# Inside the server: note that it came up, make the work folder, and wait
# until the server takes connections (a game that finds none gives up).
x_begin() {
    echo "$DISPLAY" >"$GG_STARTED"
    work=$(mktemp -d)
    game=""
    trap 'x_end' EXIT
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    # Under the sanitizer build, D-Bus (loaded by SDL's X11 driver) keeps
    # allocations for the process lifetime that the fast unwinder cannot name;
    # leaks in our own code are caught by the headless tests.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}

x_end() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    if [ -n "${GG_KEEP_SHOTS:-}" ] && [ -d "$work" ]; then
        mkdir -p "$GG_KEEP_SHOTS" && cp "$work"/*.png "$work"/*.log "$GG_KEEP_SHOTS"/ 2>/dev/null
    fi
    rm -rf "$work"
}

fail() {
    echo "FAILED: $*"
    [ -f "$work/gobble.log" ] && { echo "--- gobble.log"; cat "$work/gobble.log"; }
    # What the X server said, for a game that found no display.
    if ! xdpyinfo >/dev/null 2>&1; then
        echo "--- the X server on $DISPLAY takes no connections; its messages:"
        cat "${GG_XVFB_ERRORS:-/dev/null}" 2>/dev/null
    fi
    exit 1
}

# Starts the game windowed with the given extra options; waits for its window.
# On a freshly made machine the game's first connection has now and then
# found no display in a server that xdpyinfo reaches; that game is started
# again, twice at most, and its log kept in the output.
x_start_game() {
    local tries=3
    while :; do
        SDL_AUDIODRIVER=dummy "$build/gobble" --windowed --settings-dir "$work/state" \
            --log "$work/gobble.log" "$@" &
        game=$!
        x_wait_window && return 0
        tries=$((tries - 1))
        if [ "$tries" = 0 ] || ! grep -q 'no display found' "$work/gobble.log" 2>/dev/null; then
            fail "the game ended before its window appeared"
        fi
        echo "note: the game found no display on $DISPLAY; starting it again. Its log:"
        cat "$work/gobble.log"
        sleep 1
    done
}

# Waits for the game's window to take the focus; false if the game ended first.
x_wait_window() {
    window=""
    # SDL may replace its first window while setting up the renderer, so a
    # window found early can vanish: look again until one takes the focus.
    # (There is no window manager to hand the focus out.)
    for _ in $(seq 300); do
        kill -0 "$game" 2>/dev/null || return 1
        window=$(xdotool search --onlyvisible --name '^Gobble Garden!$' 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ] && timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    fail "no window titled 'Gobble Garden!' appeared and took the focus"
}

# Moves there and clicks, in the window's own 800x600 coordinates.
x_click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.1
    xdotool click --window "$window" 1
}

# Parks the pointer (the game draws it) where no picture reacts to it.
x_park() { xdotool mousemove --window "$window" 795 300; }

x_key() { xdotool key --window "$window" "$@"; }

# After the last Escape: the game must quit with status 0 and log its end.
x_expect_clean_exit() {
    x_wait_exit || fail "the game did not quit on Escape"
    local status=0
    wait "$game" || status=$?
    game=""
    [ "$status" = 0 ] || fail "exit status $status"
    grep -q 'Exiting Application' "$work/gobble.log" || fail "log lacks the shutdown line"
}

# Waits until the game has quit; false if it is still running after 30 s.
x_wait_exit() {
    for i in $(seq 300); do
        kill -0 "$game" 2>/dev/null || return 0
        # A key sent before the window had the focus may be lost: ask again now and then.
        if [ $((i % 50)) = 0 ]; then
            xdotool windowfocus --sync "$window" 2>/dev/null || true
            xdotool key --window "$window" Escape 2>/dev/null || true
        fi
        sleep 0.1
    done
    return 1
}
