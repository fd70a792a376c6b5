#!/usr/bin/env bash
# The real program in a real X window: it opens, draws, takes a key from the
# X server and quits in order, saving its settings record.
set -euo pipefail
build=${1:?build folder}
work=$(mktemp -d)
game=""
trap 'kill "$game" "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
# A loaded machine can take seconds to bring the server up.
ready=""
for _ in $(seq 300); do
    if xdpyinfo >/dev/null 2>&1; then ready=1; break; fi
    sleep 0.1
done
if [ -z "$ready" ]; then
    echo "Xvfb did not come up on $display"
    cat "$work/xvfb.log"
    exit 1
fi

# Under the sanitizer build, D-Bus (loaded by SDL's X11 driver) keeps
# allocations for the process lifetime that the fast unwinder cannot name,
# so no suppression can match them; leaks in our own code are caught by the
# headless tests, which run the same game code.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

SDL_AUDIODRIVER=dummy "$build/gobble" --windowed --settings-dir "$work/state" \
    --log "$work/gobble.log" --data "$work/nodata" &
game=$!

window=""
for _ in $(seq 300); do
    window=$(xdotool search --name '^Gobble Garden!$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "no window titled 'Gobble Garden!' appeared"
    kill "$game" 2>/dev/null || true
    exit 1
fi

# Frames run while the window has the focus; Escape in the menu quits.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5
xdotool mousemove --window "$window" 100 100 click 1
xdotool key --window "$window" Escape

status=0
for i in $(seq 300); do
    kill -0 "$game" 2>/dev/null || break
    # On a loaded machine the first key can reach the window before it has
    # the focus; ask again now and then.
    if [ $((i % 50)) = 0 ]; then
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        xdotool key --window "$window" Escape 2>/dev/null || true
    fi
    sleep 0.1
done
if kill -0 "$game" 2>/dev/null; then
    echo "the game did not quit on Escape"
    kill "$game"
    exit 1
fi
wait "$game" || status=$?
[ "$status" = 0 ] || { echo "exit status $status"; exit 1; }

grep -q 'Init Video Screen... ok' "$work/gobble.log" || { echo "log lacks the start-up lines"; cat "$work/gobble.log"; exit 1; }
grep -q 'Exiting Application' "$work/gobble.log" || { echo "log lacks the shutdown line"; exit 1; }
size=$(stat -c %s "$work/state/ggdt_rec.tmp")
[ "$size" = 185 ] || { echo "settings record is $size bytes"; exit 1; }
echo "real window: opened, quit on Escape, saved settings"
