#!/bin/sh
# Starts the real program in a private X server, waits for its main window to be mapped,
# checks that the splash window has gone, saves a screenshot and checks the program is still alive.
# Usage: startup.sh TAPOLI_BINARY ARTEFACT_FOLDER [DOCUMENT]
# With a document, the window must come to show that document's path in its title.
set -u
binary=$1
artefacts=$2
document=${3:-}
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
rerun_in_xvfb 1280x800 "$0" "$@"
private_home

if [ -n "$document" ]; then
    title="Tapoli v4.2 -- $document"
    shot=document
    "$binary" "$document" > "$artefacts/$shot.log" 2>&1 &
else
    title='Tapoli v4.2 -- Pas de fichier'
    shot=startup
    "$binary" > "$artefacts/$shot.log" 2>&1 &
fi
pid=$!
cleanup() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; cleanup_home; }
trap cleanup EXIT
wait_for_window "$title" "$artefacts/$shot.log"

# The splash leaves at the main window's first paint.
i=0
while xdotool search --onlyvisible --name '^Splash commun$' >/dev/null 2>&1; do
    i=$((i + 1))
    [ $i -lt 50 ] || { echo "FAIL: the splash window is still shown"; exit 1; }
    sleep 0.1
done

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
echo "main window mapped: $geometry"
[ "$geometry" = "719x434" ] || { echo "FAIL: main window is $geometry, not 719x434"; exit 1; }

sleep 0.5
import -window root "$artefacts/$shot.png" || { echo "FAIL: no screenshot"; exit 1; }
kill -0 "$pid" 2>/dev/null || { echo "FAIL: tapoli died after mapping its window"; exit 1; }
echo "screenshot: $artefacts/$shot.png"
echo "PASS"
