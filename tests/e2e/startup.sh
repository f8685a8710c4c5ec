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

if [ -z "${TAPOLI_E2E_INNER:-}" ]; then
    export TAPOLI_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

unset QT_QPA_PLATFORM
home=$(mktemp -d)
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

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
cleanup() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$home"; }
trap cleanup EXIT

mapped=""
i=0
while [ $i -lt 300 ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: tapoli exited before mapping its window"; cat "$artefacts/$shot.log"; exit 1
    fi
    for window in $(xdotool search --onlyvisible --name '^Tapoli v4.2' 2>/dev/null); do
        [ "$(xdotool getwindowname "$window")" = "$title" ] && mapped=$window
    done
    [ -n "$mapped" ] && break
    sleep 0.1
    i=$((i + 1))
done
[ -n "$mapped" ] || { echo "FAIL: no mapped window titled '$title' within 30 s"; exit 1; }

# The splash leaves at the main window's first paint.
i=0
while xdotool search --onlyvisible --name '^Splash commun$' >/dev/null 2>&1; do
    i=$((i + 1))
    [ $i -lt 50 ] || { echo "FAIL: the splash window is still shown"; exit 1; }
    sleep 0.1
done

geometry=$(xdotool getwindowgeometry "$mapped" | sed -n 's/.*Geometry: //p')
echo "main window mapped: $geometry"
[ "$geometry" = "719x434" ] || { echo "FAIL: main window is $geometry, not 719x434"; exit 1; }

sleep 0.5
import -window root "$artefacts/$shot.png" || { echo "FAIL: no screenshot"; exit 1; }
kill -0 "$pid" 2>/dev/null || { echo "FAIL: tapoli died after mapping its window"; exit 1; }
echo "screenshot: $artefacts/$shot.png"
echo "PASS"
