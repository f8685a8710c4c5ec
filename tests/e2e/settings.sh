#!/bin/sh
# Changes the page and the background colour in the real window, quits with EXIT, checks the bytes
# of tapoli.ini, then starts again and checks that the page and the colour came back.
# Usage: settings.sh TAPOLI_BINARY ARTEFACT_FOLDER
set -u
binary=$1
artefacts=$2
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
rerun_in_private_session 1280x800 "$0" "$@"
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
log="$artefacts/settings.log"
pid=""
cleanup() { running && kill "$pid"; }
trap cleanup EXIT

# Starts tapoli and sets $window to its main window once mapped and painted.
start() {
    "$binary" > "$log" 2>&1 &
    pid=$!
    wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"
    wait_for_first_paint
}

# The program takes pointer events in the order they come, so clicks need no wait between them; what
# a click brings about is waited for where a later step depends on it.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

red() { case "$(pixel 300 100)" in "srgb(255,0,0)" | "red") ;; *) return 1 ;; esac; }

height=434
panel=$((height - 217))

step "first start"
start
step "open the GRAND FORMAT page and the background colour dialog"
click 300 $((panel + 62))
click 110 29
dialog=""
wait_until 30 "the colour dialog did not open" \
    'dialog=$(xdotool search --onlyvisible --name "couleur" 2>/dev/null | head -n 1); [ -n "$dialog" ]'

step "choose red in the colour dialog"
# Keys go to the window that has the focus: sent to a named window instead, they arrive as synthetic
# events, and the last of them may find the dialog already gone.
xdotool windowfocus --sync "$dialog" || fail "the colour dialog cannot take the focus"
xdotool key alt+h ctrl+a type '#ff0000'
xdotool key Return
wait_until 30 "the colour dialog did not close" \
    '! xdotool search --onlyvisible --name "couleur" >/dev/null 2>&1'
wait_until 30 "the text area did not turn red" red

step "EXIT after the change"
click 681 $((panel + 37))
wait_for_exit

step "the settings written at EXIT"
[ -f "$ini" ] || fail "no $ini written"
cp "$ini" "$artefacts/tapoli.ini"
grep -q "$(printf 'PageIndex=2\r')" "$ini" || fail "PageIndex=2 not written"
grep -q "$(printf 'fond=255\r')" "$ini" || fail "fond=255 not written"
has_the_twelve_keys "$ini" || fail "the twelve keys of Windows' tapoli.ini are not all written"
keys=$(grep -c "$(printf '=.*\r$')" "$ini")
[ "$keys" -eq 17 ] || fail "$keys keys written, not the twelve and Tapoli's five"
head -n 1 "$ini" | grep -q "$(printf '^\\[params\\]\r$')" || fail "no [params] section with CR LF"

step "second start, with the saved settings"
start
red || fail "the text area is $(pixel 300 100), not red, after the restart"
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$artefacts/settings-restart.png" || fail "no screenshot"

step "EXIT after the restart"
click 681 $((panel + 37))
wait_for_exit
grep -q "$(printf 'PageIndex=2\r')" "$ini" || fail "the page did not come back"
echo "PASS"
