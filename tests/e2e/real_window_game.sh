#!/usr/bin/env bash
# A person at the real game in a real X window: types a name in the players
# panel, starts a game, picks up and drops a piece, goes back to the menu,
# looks at the high scores and quits. Checks what the window shows at each
# step, the exit status and the saved settings record.
set -euo pipefail
build=${1:?build folder}
source "$(dirname "$0")/lib/xgame.bash"
x_session "$@"
x_begin

# Takes a picture of the window; prints its file name.
shot() {
    sleep 0.6  # a few frames, so the picture shows the step just taken
    local f="$work/$1"
    xwd -id "$window" -silent >"$f.xwd" || fail "xwd could not read the window"
    "$build/xwd_probe" png "$f.xwd" "$f.png" >/dev/null
    echo "$f.xwd"
}
# Checksums of rectangles of a picture (x y w h). The menu's stripes drift,
# so only places the art covers whole can be compared.
region() { "$build/xwd_probe" hash "$@"; }
buttons() { # the middles of the six buttons along the top
    local x
    for x in 95 217 338 460 582 704; do region "$1" $((x - 40)) 138 80 14; done
}
title() { region "$1" 250 190 300 30; }  # a panel's heading
name1() { region "$1" 105 350 180 35; }  # inside player 1's name box
board() { region "$1" 0 60 800 540; }    # the board under the top bar

# The state, written by the game on SIGUSR1.
dump() {
    rm -f "$work/state.json"
    kill -USR1 "$game"
    for _ in $(seq 100); do
        [ -s "$work/state.json" ] && { cat "$work/state.json"; return 0; }
        sleep 0.05
    done
    fail "no state dump arrived"
}

x_start_game --data "$build/data" --dump-state "$work/state.json"
sleep 1
x_park
menu=$(shot menu)

# The players panel opens where the start picture was; the buttons stay.
x_click 217 145
x_park
players=$(shot players)
[ "$(title "$menu")" != "$(title "$players")" ] || fail "the players panel did not open"
[ "$(buttons "$menu")" = "$(buttons "$players")" ] || fail "the menu buttons changed"

# Player 1's box has the focus: clear "player 1" and type a name.
x_key --delay 120 BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --window "$window" --delay 120 "Wren"
typed=$(shot typed)
[ "$(name1 "$players")" != "$(name1 "$typed")" ] || fail "the typed name did not show"
dump | grep -q '"playerName":\["Wren",' || fail "the typed name did not reach the game"

# PLAY! leaves the menu for the level's introduction.
x_click 686 563
sleep 1.5
intro=$(shot intro)
[ "$(buttons "$menu")" != "$(buttons "$intro")" ] || fail "PLAY! did not leave the menu"
dump | grep -q '"scene":"play"' || fail "PLAY! did not open the play screen"

# A click on the board starts play.
x_click 400 330
sleep 1
x_park
playing=$(shot playing)
[ "$(board "$intro")" != "$(board "$playing")" ] || fail "the board did not change once play began"

# Pick up an idle piece. Pieces wander, so try again if one moved away.
carried=""
for _ in 1 2 3 4 5; do
    pos=$(dump | grep -o '"x":[0-9]*,"y":[0-9]*,"life":[^,]*,"state":1,"frozen":false' |
        head -n 1 | sed 's/"x":\([0-9]*\),"y":\([0-9]*\).*/\1 \2/')
    [ -n "$pos" ] || { sleep 0.5; continue; }
    # shellcheck disable=SC2086
    x_click $pos
    sleep 0.2
    if dump | grep -q '"carrying":true'; then carried=$pos; break; fi
done
[ -n "$carried" ] || fail "no piece could be picked up"
x_park
holding=$(shot holding)
[ "$(board "$playing")" != "$(board "$holding")" ] || fail "picking up changed nothing on screen"

# Dropping it puts it back on the board.
x_click 400 330
sleep 0.2
dump | grep -q '"carrying":false' || fail "the piece did not leave the hand"
x_park
shot dropped >/dev/null

# Escape goes back to the menu.
x_key Escape
sleep 1
x_park
back=$(shot back)
dump | grep -q '"scene":"menu"' || fail "Escape did not return to the menu"
[ "$(buttons "$menu")" = "$(buttons "$back")" ] || fail "the menu buttons look different"

# The high scores open in the panel.
x_click 582 145
x_park
scores=$(shot scores)
[ "$(title "$scores")" != "$(title "$back")" ] || fail "the high scores did not open"
[ "$(title "$scores")" != "$(title "$players")" ] || fail "the high scores look like the players panel"
dump | grep -q '"openPanel":6' || fail "the dump does not show the high-score panel open"

# Escape in the menu quits, saving the settings.
x_key Escape
x_expect_clean_exit
record="$work/state/ggdt_rec.tmp"
[ "$(stat -c %s "$record")" = 185 ] || fail "the settings record is the wrong size"
grep -q 'Wren' "$record" || fail "the settings record lacks the typed name"
echo "real window: named a player, played, went back, saw the scores, quit with status 0"
