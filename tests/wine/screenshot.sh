#!/bin/bash
# Saves the test display (or one rectangle of it) as a PNG under <build>/artifacts/screenshots/.
#
#   screenshot.sh NAME [X Y WIDTH HEIGHT]
#
# Needs DISPLAY (wine-run.sh --unix provides it) and VESTRA_BINARY_DIR; prints the file's path.
# A rectangle comes from "winauto rect --window H", so one window can be saved on its own.
set -u
name=${1:?usage: screenshot.sh NAME [X Y WIDTH HEIGHT]}
[ -n "${DISPLAY:-}" ] || { echo "screenshot: DISPLAY is not set" >&2; exit 2; }
[ -n "${VESTRA_BINARY_DIR:-}" ] || { echo "screenshot: VESTRA_BINARY_DIR is not set" >&2; exit 2; }
folder="$VESTRA_BINARY_DIR/artifacts/screenshots"
mkdir -p "$folder"
file="$folder/$(printf '%s' "$name" | tr -c 'A-Za-z0-9._-' '_').png"
crop=()
if [ $# -eq 5 ]; then
    # Clip to the screen: a window may hang over its edge, and import refuses such a crop.
    x=$(($2 < 0 ? 0 : $2)) y=$(($3 < 0 ? 0 : $3))
    crop=(-crop "$4x$5+$x+$y" +repage)
elif [ $# -ne 1 ]; then
    echo "usage: screenshot.sh NAME [X Y WIDTH HEIGHT]" >&2
    exit 2
fi
if command -v import >/dev/null; then
    import -display "$DISPLAY" -window root "${crop[@]}" "$file" || exit 1
else
    xwd -display "$DISPLAY" -root -silent | convert xwd:- "${crop[@]}" "$file" || exit 1
fi
echo "$file"
