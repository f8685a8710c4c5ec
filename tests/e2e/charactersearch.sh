#!/bin/sh
# "Rechercher un caractère..." in the real program: Ctrl+F opens the search window, "cedille maj" finds Ç
# first and a click types it into the text; "U+00AB" finds « first; after é (Enter in the search) and €
# (a key of the keyboard page), the empty search shows €, é, Ç, and shows them again after a restart,
# from tapoli.ini. With "Écrire dans la fenêtre active" on, a result types into the other program's
# field, which gets the keyboard back from the search window. Screenshots of the window at SCALE.
# Usage: charactersearch.sh TAPOLI_BINARY TARGET_BINARY ARTEFACT_FOLDER SCALE
set -u
binary=$1
target=$2
artefacts=$3
scale=$4
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name="charactersearch-scale$scale"
rerun_in_private_session 2400x1400 "$0" "$@"

log="$artefacts/$e2e_name.log"
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
typed="$HOME/typed.txt"
pid=""
others=""
cleanup() { running && kill "$pid"; [ -n "$others" ] && kill $others 2>/dev/null; }
trap cleanup EXIT
export QT_SCALE_FACTOR="$scale" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# Places in the main window at its design size, scaled: the keyboard page begins at (56, 293).
at() { echo "$(awk "BEGIN { printf \"%d %d\", $1 * $scale, $2 * $scale }")"; }
euro_key=$(at $((56 + 337 + 15)) $((293 + 110 + 15)))
edition=$(at 183 10)

start_tapoli() {
    "$binary" > "$log" 2>&1 &
    pid=$!
    wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"
    wait_for_first_paint
    wait_until 30 "tapoli is not on the accessibility bus" 'a11y_application tapoli'
    wait_until 30 "no text area on the accessibility bus" 'a11y_find Texte 10'
    texte=$a11y_found
}

search_window=""
search_mapped() {
    search_window=$(xdotool search --onlyvisible --name '^Rechercher un caractère$' 2>/dev/null | head -n 1)
    [ -n "$search_window" ]
}
# Opens the search window by running COMMAND...; sets $grid to its results on the accessibility bus.
open_search() {
    "$@"
    wait_until 30 "'$*' did not open the search window" search_mapped
    wait_until 30 "the search line did not get the keyboard" \
        '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Rechercher un caractère" ]'
    wait_until 30 "no results on the accessibility bus" 'a11y_find "Caractères trouvés" 12'
    grid=$a11y_found
}
ctrl_f() { xdotool windowfocus --sync "$window" && xdotool key ctrl+f; }
# With the keys typing elsewhere the main window takes no keyboard: the entry, the last one, from the menu.
from_the_menu() {
    xdotool mousemove --window "$window" $edition click 1
    wait_until 30 "the menu did not open" '[ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge 2 ]'
    xdotool key Up Return
}

# Tapoli's text, as the accessibility bus reads it.
own_text() { a11y_text "$texte"; }
# The accessible names of the first N results, one a line.
results() {
    for object in $(a11y_children "$a11y_app" "$grid" | head -n "$1"); do
        a11y_name "$a11y_app" "$object"
    done
}
results_are() { [ "$(results "$1" | tr '\n' '|')" = "$2" ]; }
# The middle of the first result on the screen, in the X server's pixels.
first_result_place() {
    object=$(a11y_children "$a11y_app" "$grid" | head -n 1)
    a11y --dest "$a11y_app" --object-path "$object" --method org.a11y.atspi.Component.GetExtents 0 \
        | tr -d '(),' | awk -v s="$scale" '{ printf "%d %d", ($1 + $3 / 2) * s, ($2 + $4 / 2) * s }'
}
search_for() {
    xdotool key --clearmodifiers ctrl+a BackSpace
    [ -n "$1" ] && xdotool type --delay 20 "$1"
}

cedille="LETTRE MAJUSCULE LATINE C CÉDILLE"
eacute="LETTRE MINUSCULE LATINE E ACCENT AIGU"

step "Ctrl+F opens the search window"
start_tapoli
open_search ctrl_f

step "'cedille maj' finds Ç first, and a click on it types it"
search_for "cedille maj"
wait_until 30 "the first result is '$(results 1)', not Ç" "results_are 1 '$cedille|'"
xdotool mousemove $(first_result_place) click 1
wait_until 30 "the click wrote '$(own_text)'" '[ "$(own_text)" = "Ç" ]'
search_mapped || fail "the search window closed after typing"

step "'U+00AB' finds « first"
search_for "U+00AB"
wait_until 30 "the first result is '$(results 1)', not «" "results_are 1 'GUILLEMET GAUCHE|'"

step "the screenshot of the window"
search_for "e"
wait_until 30 "'e' found nothing" '[ "$(results 1)" != "GUILLEMET GAUCHE" ] && [ -n "$(results 1)" ]'
eval "$(xdotool getwindowgeometry --shell "$search_window")"
window_was=$window
window=$search_window
wait_for_still_picture
window=$window_was
shot="$artefacts/charactersearch-scale$scale.png"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$shot" || fail "no screenshot"
echo "screenshot: $shot"

step "é from the search (Enter), € from a key of the keyboard page"
search_for "&eacute;"
wait_until 30 "the first result is '$(results 1)', not é" "results_are 1 '$eacute|'"
xdotool key Return
wait_until 30 "Enter wrote '$(own_text)'" '[ "$(own_text)" = "Çé" ]'
xdotool mousemove --window "$window" $euro_key click 1
wait_until 30 "the € key wrote '$(own_text)'" '[ "$(own_text)" = "Çé€" ]'

step "the empty search shows €, then é, then Ç"
xdotool windowfocus --sync "$search_window" || fail "the search window cannot take the focus"
search_for ""
wait_until 30 "the empty search shows '$(results 4 | tr '\n' '|')'" \
    "results_are 3 'SYMBOLE EURO|$eacute|$cedille|'"

step "Escape closes the window"
xdotool key Escape
wait_until 30 "Escape did not close the search window" '! search_mapped'

step "the characters typed last are written at the end"
kill "$pid"
wait_for_exit
grep -q "$(printf '^CaracteresRecents="\200\351\307"\r$')" "$ini" \
    || fail "tapoli.ini holds '$(grep -a CaracteresRecents "$ini")'"

step "after a restart, the empty search shows them again"
start_tapoli
open_search ctrl_f
wait_until 30 "after the restart the empty search shows '$(results 4 | tr '\n' '|')'" \
    "results_are 3 'SYMBOLE EURO|$eacute|$cedille|'"
kill "$pid"
wait_for_exit

# The same window with the keys typing into another program: at one scale is enough.
if [ "$scale" = 1 ]; then
    step "with Écrire dans la fenêtre active, a result types into the other program's field"
    "$target" "$typed" > "$artefacts/$e2e_name-target.log" 2>&1 &
    others="$others $!"
    field=""
    wait_until 30 "the target's window did not map" \
        'field=$(xdotool search --onlyvisible --name "^Cible Tapoli$" 2>/dev/null | head -n 1); [ -n "$field" ]'
    printf '[params]\r\nEcrireFenetreActive=1\r\n' > "$ini"
    start_tapoli
    xdotool windowfocus --sync "$field"
    wait_until 30 "the field did not get the keyboard" \
        '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Cible Tapoli" ]'
    open_search from_the_menu
    search_for "&euro;"
    wait_until 30 "the first result is '$(results 1)', not €" "results_are 1 'SYMBOLE EURO|'"
    xdotool mousemove $(first_result_place) click 1
    wait_until 30 "the field holds '$(cat "$typed" 2>/dev/null)', not €" '[ "$(cat "$typed" 2>/dev/null)" = "€" ]'
    wait_until 30 "the field did not keep the keyboard" \
        '[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Cible Tapoli" ]'
    [ -z "$(own_text)" ] || fail "Tapoli's own text holds '$(own_text)'"
fi
echo "PASS"
