#!/bin/sh
# Starts the real program in a private X server, waits for its main window to be mapped and painted
# (the splash gone), checks its size, saves a screenshot and checks the program is still alive.
# Usage: startup.sh TAPOLI_BINARY ARTEFACT_FOLDER [DOCUMENT]
# With a document, the window must come to show that document's path in its title.
set -u
binary=$1
artefacts=$2
document=${3:-}
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
rerun_in_private_session 1280x800 "$0" "$@"

if [ -n "$document" ]; then
    title="Tapoli v4.2 -- $document"
    e2e_name=document
    "$binary" "$document" > "$artefacts/$e2e_name.log" 2>&1 &
else
    title='Tapoli v4.2 -- Pas de fichier'
    e2e_name=startup
    "$binary" > "$artefacts/$e2e_name.log" 2>&1 &
fi
pid=$!
cleanup() { running && kill "$pid"; wait "$pid" 2>/dev/null; }
trap cleanup EXIT

step "map the main window"
wait_for_window "$title" "$artefacts/$e2e_name.log"

step "first paint, the splash gone"
wait_for_first_paint

step "main window size"
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
echo "main window mapped: $geometry"
[ "$geometry" = "719x434" ] || fail "main window is $geometry, not 719x434"

# With no window manager to hold the minimum size, the window brings itself back to it.
step "resized below its design size from outside, it snaps back"
size_now() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }
xdotool windowsize "$window" 500 300
wait_until 10 "the window did not come back to 719x434" '[ "$(size_now)" = "719x434" ]'
xdotool windowsize "$window" 500 600
wait_until 10 "the window did not come back to 719x600" '[ "$(size_now)" = "719x600" ]'

step "screenshot"
import -window root "$artefacts/$e2e_name.png" || fail "no screenshot"
running || fail "tapoli died after mapping its window"
echo "screenshot: $artefacts/$e2e_name.png"
echo "PASS"
