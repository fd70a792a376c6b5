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

# Waits (up to 5 s: a loaded machine runs frames late) for the state to
# show a pattern; false if it never does.
state_shows() {
    for _ in $(seq 50); do
        dump | grep -q "$1" && return 0
        sleep 0.1
    done
    return 1
}

x_start_game --data "$build/data" --dump-state "$work/state.json"
sleep 1
x_park
menu=$(shot menu)

# The players panel opens where the start picture was; the buttons stay.
x_click 217 145
x_park
state_shows '"openPanel":1' || fail "the players button did not open its panel"
players=$(shot players)
[ "$(title "$menu")" != "$(title "$players")" ] || fail "the players panel did not open"
[ "$(buttons "$menu")" = "$(buttons "$players")" ] || fail "the menu buttons changed"

# Player 1's name as the game holds it.
name_is() { dump | grep -q "\"playerName\":\[\"$1\","; }
# The game keeps one typed character per frame, and a loaded machine may
# run a frame slower than a person types: each key waits for the last.
type_key() { # key, the name it should leave
    x_key "$1"
    for _ in $(seq 50); do name_is "$2" && return 0; sleep 0.1; done
    fail "after the key $1 the name is not '$2'"
}

# Player 1's box has the focus: clear "player 1" and type a name.
name="player 1"
while [ -n "$name" ]; do
    name=${name%?}
    type_key BackSpace "$name"
done
for key in W r e n; do
    name="$name$key"
    type_key "$key" "$name"
done
typed=$(shot typed)
[ "$(name1 "$players")" != "$(name1 "$typed")" ] || fail "the typed name did not show"

# PLAY! leaves the menu for the level's introduction.
x_click 686 563
state_shows '"scene":"play"' || fail "PLAY! did not open the play screen"
sleep 1
intro=$(shot intro)
[ "$(buttons "$menu")" != "$(buttons "$intro")" ] || fail "PLAY! did not leave the menu"

# A click on the board starts play.
x_click 400 330
state_shows '"phase":2,' || fail "the click did not start play"
sleep 0.5
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
    if state_shows '"carrying":true'; then carried=$pos; break; fi
done
[ -n "$carried" ] || fail "no piece could be picked up"
x_park
holding=$(shot holding)
[ "$(board "$playing")" != "$(board "$holding")" ] || fail "picking up changed nothing on screen"

# Dropping it puts it back on the board.
x_click 400 330
state_shows '"carrying":false' || fail "the piece did not leave the hand"
x_park
shot dropped >/dev/null

# Escape goes back to the menu.
x_key Escape
state_shows '"scene":"menu"' || fail "Escape did not return to the menu"
x_park
back=$(shot back)
[ "$(buttons "$menu")" = "$(buttons "$back")" ] || fail "the menu buttons look different"

# The high scores open in the panel.
x_click 582 145
x_park
state_shows '"openPanel":6' || fail "the scores button did not open the high scores"
scores=$(shot scores)
[ "$(title "$scores")" != "$(title "$back")" ] || fail "the high scores did not open"
[ "$(title "$scores")" != "$(title "$players")" ] || fail "the high scores look like the players panel"

# Escape in the menu quits, saving the settings.
x_key Escape
x_expect_clean_exit
record="$work/state/ggdt_rec.tmp"
[ "$(stat -c %s "$record")" = 185 ] || fail "the settings record is the wrong size"
grep -q 'Wren' "$record" || fail "the settings record lacks the typed name"
echo "real window: named a player, played, went back, saw the scores, quit with status 0"
