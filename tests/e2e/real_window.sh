#!/usr/bin/env bash
# The real program in a real X window with no data: it opens, draws, takes a
# key from the X server and quits in order, saving its settings record.
set -euo pipefail
build=${1:?build folder}
source "$(dirname "$0")/lib/xgame.bash"
x_session "$@"
x_begin

x_start_game --data "$work/nodata"
sleep 0.5
x_click 100 100
x_key Escape
x_expect_clean_exit
grep -q 'Init Video Screen... ok' "$work/gobble.log" || fail "log lacks the start-up lines"
size=$(stat -c %s "$work/state/ggdt_rec.tmp")
[ "$size" = 185 ] || fail "settings record is $size bytes"
echo "real window: opened, quit on Escape, saved settings"
