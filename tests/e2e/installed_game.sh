#!/usr/bin/env bash
# `cmake --install` into a fresh prefix: the binary, the data, the menu
# entry and the icons land in the standard places, and the installed game
# finds its data from any working directory, even one with an unrelated data/.
set -euo pipefail
build=${1:?build folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; [ -f "$work/gobble.log" ] && cat "$work/gobble.log"; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install failed"
for f in bin/gobble share/applications/gobble-garden.desktop \
    share/icons/hicolor/256x256/apps/gobble-garden.png \
    share/icons/hicolor/48x48/apps/gobble-garden.png \
    share/gobble-garden/data/st_cursor.lfl share/gobble-garden/data/menu.lfl; do
    [ -s "$prefix/$f" ] || fail "$f was not installed"
done
[ -x "$prefix/bin/gobble" ] || fail "the installed game is not executable"
[ "$(ls "$prefix/share/gobble-garden/data" | grep -vc '\.lfl$')" = 0 ] || fail "stray files in data"
grep -q '^Exec=gobble$' "$prefix/share/applications/gobble-garden.desktop" || fail "bad Exec line"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/gobble-garden.desktop" || fail "invalid .desktop"
fi

# From elsewhere: a folder with a data/ of its own that is not the game's.
mkdir -p "$work/elsewhere/data"
cd "$work/elsewhere"
printf '300 move 686 563\n400 click 686 563\n2000 quit\n' >"$work/play.script"
"$prefix/bin/gobble" --headless --script "$work/play.script" --settings-dir "$work/state" \
    --log "$work/gobble.log" --dump-state "$work/end.json" || fail "the installed game failed"
for missing in "unable to find" "could not load" "missing"; do
    if grep -qi "$missing" "$work/gobble.log"; then fail "the installed game lacks data"; fi
done
grep -q '"scene":"play"' "$work/end.json" || fail "the installed game did not reach play"
echo "installed: binary, data, menu entry and icons in place; data found from anywhere"
