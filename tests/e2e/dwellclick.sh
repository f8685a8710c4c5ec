#!/bin/sh
# "Clic automatique" with a real X server and "Écrire dans la fenêtre active" on: a pointer moved but
# never clicked rests on a key, on another, then on "<ESPACE>", and they type into another program's
# field, which keeps the keyboard; resting on for three delays types once; a press that drifts inside a
# key before its release types it. Both choices are written at the end. With the mode off, the same
# resting types into Tapoli's own text.
# Usage: dwellclick.sh TAPOLI_BINARY TARGET_BINARY ARTEFACT_FOLDER
set -u
binary=$1
target=$2
artefacts=$3
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name=dwellclick
rerun_in_private_session 1280x800 "$0" "$@"

log="$artefacts/dwellclick.log"
typed="$HOME/typed.txt"
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
delay_ms=500
pid=""
others=""
cleanup() { running && kill "$pid"; [ -n "$others" ] && kill $others 2>/dev/null; }
trap cleanup EXIT

# Places in Tapoli's window at its design size: the keyboard page begins at (56, 293), keys are 30 px.
key() { echo "$((56 + $1 + 15)) $((293 + $2 + 15))"; }
rest_on() { xdotool mousemove --window "$window" $1 $2; }
tchA=$(key 8 3); tchE=$(key 70 3); tchQ=$(key 8 33)
espace="574 230"; on_the_text="300 100"

# The layout's first keys hold é and €, as a user's own layout would; settings_file [MODE]: "Écrire dans la
# fenêtre active" on (1, by default) or off.
settings_file() {
    mkdir -p "$HOME/claviers" "$TAPOLI_CONFIG_DIR"
    printf 'DejaVu Sans\r\n12;0\r\ntchA=\351\r\ntchE=\200\r\ntchQ=A\r\n' > "$HOME/claviers/repos.cltpo"
    printf '[params]\r\nclavier=%s\r\nPageIndex=0\r\nEcrireFenetreActive=%s\r\nPremierPlan=0\r\nClicAutomatique=1\r\nDelaiClicAutomatique=%s\r\n' \
        "$HOME/claviers/repos.cltpo" "${1:-1}" "$delay_ms" > "$ini"
}

start_tapoli() {
    "$binary" > "$log" 2>&1 &
    pid=$!
    wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"
    wait_for_first_paint
}

field_holds() { [ "$(cat "$typed" 2>/dev/null)" = "$1" ]; }
# stays_for_three_delays CHECK TEXT: watches for three delays that CHECK TEXT stays true: a repeated click would come
# within one delay of the last.
stays_for_three_delays() {
    watched_until=$(($(date +%s%N) / 1000000 + 3 * delay_ms))
    while [ "$(($(date +%s%N) / 1000000))" -lt "$watched_until" ]; do
        $1 "$2" || fail "resting on gave more than one click: '$(cat "$typed" 2>/dev/null)'"
        sleep 0.05
    done
}

step "the target program, with the keyboard"
"$target" "$typed" > "$artefacts/dwellclick-target.log" 2>&1 &
others="$others $!"
field=""
wait_until 30 "the target's window did not map" \
    'field=$(xdotool search --onlyvisible --name "^Cible Tapoli$" 2>/dev/null | head -n 1); [ -n "$field" ]'
settings_file
start_tapoli
xdotool windowfocus --sync "$field"
focused_name() { xdotool getwindowfocus getwindowname 2>/dev/null; }
wait_until 30 "the field did not get the keyboard" '[ "$(focused_name)" = "Cible Tapoli" ]'

step "resting on é, €, <ESPACE> types them into the field, no button pressed"
rest_on $on_the_text
rest_on $tchA
wait_until 30 "resting on é typed '$(cat "$typed")' into the field" 'field_holds "é"'
rest_on $tchE
wait_until 30 "resting on € typed '$(cat "$typed")' into the field" 'field_holds "é€"'
rest_on $espace
wait_until 30 "resting on <ESPACE> typed '$(cat "$typed")' into the field" 'field_holds "é€ "'

step "resting on for three delays types once"
stays_for_three_delays field_holds "é€ "
[ "$(focused_name)" = "Cible Tapoli" ] || fail "the focus left the field for '$(focused_name)'"

step "a press that drifts 19 px inside a key types it"
set -- $tchQ
xdotool mousemove --window "$window" $(($1 - 10)) $2 mousedown 1
xdotool mousemove --window "$window" $(($1 + 9)) $2 mouseup 1
wait_until 30 "the drifting press typed '$(cat "$typed")'" 'field_holds "é€ A"'
stays_for_three_delays field_holds "é€ A"
[ "$(focused_name)" = "Cible Tapoli" ] || fail "the focus left the field for '$(focused_name)'"

step "the choices are written at the end"
kill "$pid"
wait_for_exit
grep -q "$(printf '^ClicAutomatique=1\r$')" "$ini" || fail "the dwell click was not remembered"
grep -q "$(printf '^DelaiClicAutomatique=%s\r$' "$delay_ms")" "$ini" || fail "the delay was not remembered"

step "with the mode off, resting on é, € and <ESPACE> types them into Tapoli's own text"
settings_file 0
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Away from the keys: a window that maps under a resting pointer would take that as a rest.
xdotool mousemove 0 0
start_tapoli
wait_until 30 "tapoli is not on the accessibility bus" 'a11y_application tapoli'
wait_until 30 "no text area on the accessibility bus" 'a11y_find Texte 10'
# Tapoli's text, as the accessibility bus reads it.
own_text() { a11y_text "$a11y_found"; }
rest_on $on_the_text
rest_on $tchA
wait_until 30 "resting on é wrote '$(own_text)'" '[ "$(own_text)" = "é" ]'
rest_on $tchE
wait_until 30 "resting on € wrote '$(own_text)'" '[ "$(own_text)" = "é€" ]'
rest_on $espace
wait_until 30 "resting on <ESPACE> wrote '$(own_text)'" '[ "$(own_text)" = "é€ " ]'
field_holds "é€ A" || fail "the other program's field changed to '$(cat "$typed")' with the mode off"
echo "PASS"
