#!/bin/sh
# "Écrire dans la fenêtre active" with a real X server: clicks on Tapoli's keys type into another
# program's text field, with the focus left there, whatever the keyboard layout; right to left works;
# "Annuler" takes the last character back; the keyboard mapping is the same after as before.
# Usage: activewindow.sh TAPOLI_BINARY TARGET_BINARY ARTEFACT_FOLDER WINDOW_MANAGER(none|openbox) LAYOUT(us|fr)
set -u
binary=$1
target=$2
artefacts=$3
manager=$4
layout=$5
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name="activewindow-$manager-$layout"
rerun_in_private_session 1280x800 "$0" "$@"

log="$artefacts/$e2e_name.log"
typed="$HOME/typed.txt"
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
pid=""
others=""
cleanup() { running && kill "$pid"; [ -n "$others" ] && kill $others 2>/dev/null; }
trap cleanup EXIT

# Places in Tapoli's window at its design size: the keyboard page begins at (56, 293).
key() { echo "$((56 + $1 + 15)) $((293 + $2 + 15))"; }
click() { xdotool mousemove --window "$window" $1 $2 click 1; }
tchA=$(key 8 3); tchZ=$(key 39 3); tchE=$(key 70 3); tchR=$(key 100 3); tchT=$(key 131 3)
tchQ=$(key 8 33); tchS=$(key 39 33); tchD=$(key 70 33)
espace="574 230"; annuler="540 254"; exit_button="681 254"

# Waits until the field holds exactly TEXT.
field_holds() { [ "$(cat "$typed" 2>/dev/null)" = "$1" ]; }
# Clicks PLACE and waits for the field to hold TEXT, as a user sees each character arrive before the next.
click_until() {
    click $1
    wait_until 30 "the field never held '$2'" "field_holds \"$2\""
}
# The field still has the keyboard (a window manager may report a child of it or its frame).
focus_on_field() {
    [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Cible Tapoli" ] \
        || fail "the focus left the field for '$(xdotool getwindowfocus getwindowname 2>/dev/null)'"
}

step "window manager $manager, layout $layout"
if [ "$manager" = openbox ]; then
    openbox --sm-disable > "$artefacts/$e2e_name-openbox.log" 2>&1 &
    others="$others $!"
    wait_until 30 "openbox did not start" "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'"
fi
setxkbmap "$layout" || fail "setxkbmap $layout failed"
xmodmap -pke > "$artefacts/$e2e_name-keys-before.txt"

step "the target program, with the keyboard"
"$target" "$typed" > "$artefacts/$e2e_name-target.log" 2>&1 &
others="$others $!"
field=""
wait_until 30 "the target's window did not map" \
    'field=$(xdotool search --onlyvisible --name "^Cible Tapoli$" 2>/dev/null | head -n 1); [ -n "$field" ]'
give_focus_to_field() {
    if [ "$manager" = openbox ]; then xdotool windowactivate --sync "$field"; else xdotool windowfocus --sync "$field"; fi
    wait_until 30 "the field did not get the keyboard" \
        '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Cible Tapoli" ]'
}

# A layout that puts the characters to type on the first keys: é œ € ÿ « and A B C (Windows-1252).
layout_file() {
    mkdir -p "$HOME/claviers"
    printf 'DejaVu Sans\r\n12;%s\r\ntchA=\351\r\ntchZ=\234\r\ntchE=\200\r\ntchR=\377\r\ntchT=\253\r\ntchQ=A\r\ntchS=B\r\ntchD=C\r\n' \
        "$1" > "$HOME/claviers/ecrire.cltpo"
    mkdir -p "$TAPOLI_CONFIG_DIR"
    printf '[params]\r\nclavier=%s\r\nPageIndex=0\r\nEcrireFenetreActive=1\r\n' "$HOME/claviers/ecrire.cltpo" > "$ini"
}

start_tapoli() {
    "$binary" > "$log" 2>&1 &
    pid=$!
    wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"
    wait_for_first_paint
    # A window manager may give a new window the keyboard: the user clicks back into the field.
    give_focus_to_field
}

stop_tapoli() {
    click $exit_button
    wait_for_exit
    grep -q "$(printf '^EcrireFenetreActive=1\r$')" "$ini" || fail "the mode was not remembered"
}

step "left to right: é œ € ÿ « and a space, then Annuler"
layout_file 0
start_tapoli
click_until "$tchA" "é"
click_until "$tchZ" "éœ"
click_until "$tchE" "éœ€"
click_until "$tchR" "éœ€ÿ"
click_until "$tchT" "éœ€ÿ«"
click_until "$espace" "éœ€ÿ« "
click_until "$annuler" "éœ€ÿ«"
focus_on_field
stop_tapoli

step "right to left: A B C give CBA"
xdotool key ctrl+a BackSpace
wait_until 30 "the field was not emptied" 'field_holds ""'
layout_file 1
start_tapoli
click_until "$tchQ" "A"
click_until "$tchS" "BA"
click_until "$tchD" "CBA"
focus_on_field
import -window root "$artefacts/$e2e_name.png" 2>/dev/null
stop_tapoli

step "the keyboard mapping as it was"
xmodmap -pke > "$artefacts/$e2e_name-keys-after.txt"
cmp -s "$artefacts/$e2e_name-keys-before.txt" "$artefacts/$e2e_name-keys-after.txt" \
    || fail "xmodmap -pke differs after Tapoli (see $e2e_name-keys-before.txt and -after.txt)"
echo "PASS"
