#!/bin/sh
# Changes the page and the background colour in the real window, quits with EXIT, checks the bytes
# of tapoli.ini, then starts again and checks that the page and the colour came back.
# Usage: settings.sh TAPOLI_BINARY ARTEFACT_FOLDER
set -u
binary=$1
artefacts=$2
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
rerun_in_xvfb 1280x800 "$0" "$@"
private_home
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
pid=""
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; cleanup_home; }
trap cleanup EXIT

# Starts tapoli and sets $window to its main window once mapped.
start() {
    "$binary" > "$artefacts/settings.log" 2>&1 &
    pid=$!
    wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$artefacts/settings.log"
    sleep 0.5
}

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }

# Waits for the program to end by itself, as EXIT makes it do with nothing to save.
wait_for_exit() {
    i=0
    while kill -0 "$pid" 2>/dev/null; do
        i=$((i + 1))
        [ $i -lt 100 ] || fail "tapoli did not close after EXIT"
        sleep 0.1
    done
    pid=""
}

height=434
panel=$((height - 217))

start
click 300 $((panel + 62))                    # the "GRAND FORMAT" tab
click 110 29                                 # the "Couleur fond :" swatch
dialog=$(xdotool search --onlyvisible --name 'couleur' | head -n 1)
[ -n "$dialog" ] || fail "the colour dialog did not open"
xdotool key --window "$dialog" alt+h ctrl+a
xdotool type --window "$dialog" '#ff0000'
xdotool key --window "$dialog" Return
sleep 0.4
click 681 $((panel + 37))                    # EXIT
wait_for_exit

[ -f "$ini" ] || fail "no $ini written"
cp "$ini" "$artefacts/tapoli.ini"
grep -q "$(printf 'PageIndex=2\r')" "$ini" || fail "PageIndex=2 not written"
grep -q "$(printf 'fond=255\r')" "$ini" || fail "fond=255 not written"
keys=$(grep -c "$(printf '=.*\r$')" "$ini")
[ "$keys" -eq 12 ] || fail "$keys keys written, not 12"
head -n 1 "$ini" | grep -q "$(printf '^\\[params\\]\r$')" || fail "no [params] section with CR LF"

start
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$artefacts/settings-restart.png" || fail "no screenshot"
colour=$(convert "$artefacts/settings-restart.png" -format '%[pixel:p{300,100}]' info:)
case "$colour" in
    "srgb(255,0,0)"|"red") ;;
    *) fail "the text area is $colour, not red, after the restart" ;;
esac
click 681 $((panel + 37))
wait_for_exit
grep -q "$(printf 'PageIndex=2\r')" "$ini" || fail "the page did not come back"
echo "PASS"
