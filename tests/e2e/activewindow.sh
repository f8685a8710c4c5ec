#!/bin/sh
# "Écrire dans la fenêtre active" with a real X server: clicks on Tapoli's keys type into another
# program's text field, with the focus left there, whatever the keyboard layout, its second group or
# Caps Lock; right to left works; "Annuler" takes the last character back and "<SUP>" sends Delete;
# control characters from a layout file are never sent. Nothing is sent with the focus on the root,
# nor while another program holds the keyboard, nor to Tapoli's own windows; after Tapoli's dialogs
# the focus comes back to the field. The keyboard mapping is the same after as before, even when
# Tapoli is killed: the next start gives back what a killed one lent.
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
tchY=$(key 162 3); tchU=$(key 193 3); tchI=$(key 224 3); tchO=$(key 255 3); tchP=$(key 286 3)
tchQ=$(key 8 33); tchS=$(key 39 33); tchD=$(key 70 33); tchF=$(key 100 33); tchG=$(key 131 33)
tchH=$(key 162 33); tchJ=$(key 193 33); tchK=$(key 224 33); tchL=$(key 255 33)
tchW=$(key 70 64); tchX=$(key 100 64); tchC=$(key 131 64); tchV=$(key 162 64); tchB=$(key 193 64)
tchN=$(key 224 64)
entree="479 230"; espace="574 230"; sup="669 230"; annuler="540 254"; exit_button="681 254"
fichier="110 10"; sauver_sous="148 52"; edition="183 10"; ecrire="260 74"; aide="402 10"

# Waits until the field holds exactly TEXT.
field_holds() { [ "$(cat "$typed" 2>/dev/null)" = "$1" ]; }
# Clicks PLACE and waits for the field to hold TEXT, as a user sees each character arrive before the next.
click_until() {
    click $1
    wait_until 30 "the field never held '$2'" "field_holds \"$2\""
}
focused_name() { xdotool getwindowfocus getwindowname 2>/dev/null; }
# The field still has the keyboard (a window manager may report a child of it or its frame).
focus_on_field() {
    [ "$(focused_name)" = "Cible Tapoli" ] || fail "the focus left the field for '$(focused_name)'"
}
# Keys the field received since line FROM of its log; and whether one of them typed a control character.
keys_received() { wc -l < "$typed.keys"; }
control_received_since() { tail -n +"$(($1 + 1))" "$typed.keys" | grep -qE " ([0-9a-f]|1[0-9a-f]|7f|[89][0-9a-f])( |\$)"; }
# A keysym lent to a spare key code, as Tapoli lends it (the same on both levels).
lent() { xmodmap -pke | grep -qE "= $1( $1)+\$"; }
mapping_as_before() { xmodmap -pke | cmp -s - "$artefacts/$e2e_name-keys-before.txt"; }
tapoli_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

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
    wait_until 30 "the field did not get the keyboard" '[ "$(focused_name)" = "Cible Tapoli" ]'
}
empty_field() {
    give_focus_to_field
    xdotool key ctrl+a BackSpace
    wait_until 30 "the field was not emptied" 'field_holds ""'
}

# A layout whose keys hold what the steps type (Windows-1252): é œ € ÿ « on the first row, A B C, a,
# ESC and TAB (which a hostile file could hold), ½ and ¤ (typed first by steps that expect nothing
# sent), and the characters of a user's sentence.
layout_file() {
    mkdir -p "$HOME/claviers"
    printf 'DejaVu Sans\r\n12;%s\r\ntchA=\351\r\ntchZ=\234\r\ntchE=\200\r\ntchR=\377\r\ntchT=\253\r\ntchY=\273\r\ntchU=\222\r\ntchI=\227\r\ntchO=\205\r\ntchP=\214\r\ntchQ=A\r\ntchS=B\r\ntchD=C\r\ntchF=a\r\ntchG=\033\r\ntchH=\011\r\ntchJ=\275\r\ntchK=\244\r\ntchL=\307\r\ntchW=\300\r\ntchX=\347\r\ntchC=\337\r\ntchV=%%\r\ntchB=2\r\ntchN=e\r\n' \
        "$1" > "$HOME/claviers/ecrire.cltpo"
    mkdir -p "$TAPOLI_CONFIG_DIR"
    printf '[params]\r\nclavier=%s\r\nPageIndex=0\r\nEcrireFenetreActive=%s\r\nPremierPlan=%s\r\n' \
        "$HOME/claviers/ecrire.cltpo" "${2:-1}" "${3:-0}" > "$ini"
}

# start_tapoli [COMMAND...]: the binary by default.
start_tapoli() {
    [ $# -gt 0 ] || set -- "$binary"
    "$@" > "$log" 2>&1 &
    pid=$!
    wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"
    wait_for_first_paint
    # A window manager may give a new window the keyboard: the user clicks back into the field.
    give_focus_to_field
}

stop_tapoli() {
    click $exit_button
    wait_for_exit
    grep -q "$(printf '^EcrireFenetreActive=%s\r$' "${1:-1}")" "$ini" || fail "the mode was not remembered"
}

step "left to right: é œ € ÿ « and a space, then Annuler"
layout_file 0 1 "$([ "$manager" = openbox ] && echo 1 || echo 0)"
start_tapoli
click_until "$tchA" "é"
click_until "$tchZ" "éœ"
click_until "$tchE" "éœ€"
click_until "$tchR" "éœ€ÿ"
click_until "$tchT" "éœ€ÿ«"
click_until "$espace" "éœ€ÿ« "
click_until "$annuler" "éœ€ÿ«"
focus_on_field

step "<SUP> sends Delete, which takes the character after the caret"
xdotool key Home
click_until "$sup" "œ€ÿ«"
xdotool key End

step "control characters from the layout file are not sent"
before=$(keys_received)
click $tchG
click $tchH
click_until "$tchF" "œ€ÿ«a"
control_received_since "$before" && fail "ESC or TAB from the layout file reached the field: $(tail -n 3 "$typed.keys")"

step "Caps Lock on: a and é as the keys show them"
xdotool key Caps_Lock
wait_until 30 "Caps Lock did not lock" "xset q | grep -q 'Caps Lock: *on'"
click_until "$tchF" "œ€ÿ«aa"
click_until "$tchA" "œ€ÿ«aaé"
xdotool key Caps_Lock
wait_until 30 "Caps Lock did not unlock" "xset q | grep -q 'Caps Lock: *off'"

step "a second layout group locked: a is still a"
setxkbmap -layout "$layout,ru" || fail "setxkbmap $layout,ru failed"
"$target" --lock-group 1 || fail "the second group did not lock"
click_until "$tchF" "œ€ÿ«aaéa"
"$target" --lock-group 0
setxkbmap -layout "$layout" || fail "setxkbmap $layout failed"

if [ "$manager" = none ]; then
    step "the focus on the root: nothing is sent, to the root or to Tapoli"
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    xdotool windowfocus "$root"
    wait_until 30 "the root did not get the focus" '[ "$(xdotool getwindowfocus)" = "$((root))" ]'
    click $tchJ
    click $espace
    empty_field
    # Tapoli takes the clicks in order: once B is in, the two before were dealt with.
    click_until "$tchS" "B"
    lent onehalf && fail "½ was sent with the focus on the root"
fi

if [ "$manager" = none ] && [ "$layout" = us ]; then
    step "another program holds the keyboard: nothing is sent"
    "$target" "$HOME/grabber.txt" --grab > "$artefacts/$e2e_name-grabber.log" 2>&1 &
    grabber=$!
    others="$others $grabber"
    wait_until 30 "the grabbing program did not take the keyboard" '[ -e "$HOME/grabber.txt.grabbed" ]'
    click $tchK
    click $tchQ
    kill "$grabber"
    wait_until 30 "the grabbing program did not end" '! kill -0 "$grabber" 2>/dev/null'
    give_focus_to_field
    click_until "$tchS" "BB"
    [ -s "$HOME/grabber.txt" ] && fail "the program holding the keyboard received '$(cat "$HOME/grabber.txt")'"
    lent currency && fail "¤ was sent while another program held the keyboard"
fi

if [ "$manager" = openbox ]; then
    step "always on top: above the field activated after it"
    # A click on Tapoli raises it: the field is activated afresh, as a user comes back to it.
    give_focus_to_field
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    above=""
    for id in $stacking; do
        [ "$((id))" = "$field" ] && above="field"
        [ "$((id))" = "$window" ] && above="tapoli"
    done
    [ "$above" = tapoli ] || fail "the field was stacked above Tapoli ($stacking)"

    step "a key clicked while Tapoli's help has the focus sends nothing"
    click $aide
    wait_until 30 "the help did not open" '[ "$(tapoli_windows)" -ge 2 ] && [ "$(focused_name)" != "Cible Tapoli" ]'
    click $tchK
    xdotool key alt+F4
    wait_until 30 "the help did not close" '[ "$(tapoli_windows)" -eq 1 ]'
    lent currency && fail "¤ was sent to Tapoli's own help window"
    wait_until 30 "the field did not get the focus back after the help" '[ "$(focused_name)" = "Cible Tapoli" ]'

    step "Sauver sous... cancelled: the focus comes back to the field"
    click $fichier
    wait_until 30 "the menu did not open" '[ "$(tapoli_windows)" -ge 2 ]'
    click $sauver_sous
    wait_until 30 "the save dialog did not open" '[ "$(tapoli_windows)" -ge 2 ] && [ "$(focused_name)" != "Cible Tapoli" ]'
    xdotool key Escape
    wait_until 30 "the save dialog did not close" '[ "$(tapoli_windows)" -eq 1 ]'
    wait_until 30 "the field did not get the focus back after the dialog" '[ "$(focused_name)" = "Cible Tapoli" ]'
    empty_field
    click_until "$tchQ" "A"

    step "the mode switched off and on twice: the window stays where it is"
    place=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: //p')
    for round in 1 2 3 4; do
        click $edition
        wait_until 30 "the menu did not open" '[ "$(tapoli_windows)" -ge 2 ]'
        click $ecrire
        wait_until 30 "the menu did not close" '[ "$(tapoli_windows)" -eq 1 ]'
    done
    [ "$(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: //p')" = "$place" ] \
        || fail "the window moved from $place to $(xdotool getwindowgeometry "$window" | sed -n 's/.*Position: //p')"
    give_focus_to_field
    click_until "$tchS" "AB"

    step "a sentence at a user's pace, with no wait for each character"
    empty_field
    # Each click 0.3 s after the last, as a user clicks, whatever has arrived.
    for place in "$tchN" "$tchA" "$tchZ" "$tchE" "$tchR" "$tchT" "$tchY" "$tchU" "$tchI" "$tchO" "$tchP" \
                 "$tchW" "$tchX" "$tchC" "$tchJ" "$tchV" "$tchB" "$espace" "$entree" "$annuler" "$tchL" "$tchJ" \
                 "$annuler" "$entree"; do
        click $place
        sleep 0.3
    done
    wait_until 30 "the field did not hold the sentence" 'field_holds "eéœ€ÿ«»’—…ŒÀçß½%2 Ç"'
fi
stop_tapoli

step "right to left: A B C give CBA"
empty_field
layout_file 1
start_tapoli
click_until "$tchQ" "A"
click_until "$tchS" "BA"
click_until "$tchD" "CBA"
focus_on_field
import -window root "$artefacts/$e2e_name.png" 2>/dev/null
stop_tapoli

if [ "$manager" = none ] && [ "$layout" = us ]; then
    step "started with -display: Tapoli types into the display its window is on"
    other=$(mktemp)
    Xvfb -displayfd 1 -screen 0 640x480x24 -noreset > "$other" 2>/dev/null &
    others="$others $!"
    wait_until 30 "the other X server did not start" '[ -s "$other" ]'
    empty_field
    layout_file 0
    start_tapoli env DISPLAY=":$(cat "$other")" "$binary" -display "$DISPLAY"
    click_until "$tchA" "é"
    stop_tapoli
fi

if [ "$manager" = none ] && [ "$layout" = fr ]; then
    step "ended by SIGTERM: every spare given back"
    empty_field
    layout_file 0
    start_tapoli
    click_until "$tchK" "¤"
    kill -TERM "$pid"
    wait_for_exit
    mapping_as_before || fail "the mapping differs after SIGTERM"

    step "killed: the next start gives back what it lent"
    layout_file 0
    start_tapoli
    click_until "$tchJ" "¤½"
    kill -KILL "$pid"
    wait_for_exit
    lent onehalf || fail "a killed Tapoli left nothing lent: the step proves nothing"
    layout_file 0 0
    start_tapoli
    wait_until 30 "the next start did not give back what the killed one lent" mapping_as_before
    stop_tapoli 0
fi

step "the keyboard mapping as it was"
xmodmap -pke > "$artefacts/$e2e_name-keys-after.txt"
cmp -s "$artefacts/$e2e_name-keys-before.txt" "$artefacts/$e2e_name-keys-after.txt" \
    || fail "xmodmap -pke differs after Tapoli (see $e2e_name-keys-before.txt and -after.txt)"
echo "PASS"
