#!/bin/sh
# "Écrire dans la fenêtre active" natively under Wayland, where the compositor offers no virtual keyboard:
# Tapoli's keys, pressed through the accessibility bus as a switch user's tool presses them, insert into
# the field of another program that has the focus, a Qt one and a GTK 3 one (the two count lengths
# differently), whether the field got the focus by a click or by its window's mapping; "Annuler" takes
# the last character back, right to left puts each character before the last, a key types over a
# selection and <SUP> deletes forward. A click into Tapoli's own text leaves the keys going to the field.
# The session's accessibility, off before, is on while the mode is and off again after Tapoli, whether
# it is closed or ended by SIGTERM, and after a Tapoli that was killed, once the next has started.
# Weston runs on its X11 back end in the private X server: a headless one has no seat, and no field ever
# gets the focus there. Three outputs, side by side, each hold one program.
# With "kwin" last, the same insertion under KWin's virtual back end, which has neither outputs to click
# into nor input devices: each field gets the focus as its window maps.
# Usage: accessibletext.sh TAPOLI_BINARY QT_TARGET_BINARY ARTEFACT_FOLDER [weston|kwin]
# Exits 77, which CTest counts as a skip, where Weston, Qt's Wayland platform or GTK 3's Python
# bindings are missing.
set -u
binary=$1
qt_target=$2
artefacts=$3
compositor=${4:-weston}
gtk_target="$(cd "$(dirname "$0")" && pwd)/gtktarget.py"
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name=accessibletext-$compositor
case $compositor in
    weston) command -v weston >/dev/null 2>&1 || { echo "SKIP: weston is not installed"; exit 77; } ;;
    kwin) command -v kwin_wayland >/dev/null 2>&1 || { echo "SKIP: kwin_wayland is not installed"; exit 77; } ;;
esac
[ -n "$(find /usr/lib/*/qt6/plugins/platforms -name 'libqwayland-generic.so' 2>/dev/null)" ] \
    || { echo "SKIP: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Gtk", "3.0")' 2>/dev/null \
    || { echo "SKIP: GTK 3 for Python (python3-gi, gir1.2-gtk-3.0) is not installed"; exit 77; }
rerun_in_private_session 2400x600 "$0" "$@"

log="$artefacts/$e2e_name.log"
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
qt_typed="$HOME/qt.txt"
gtk_typed="$HOME/gtk.txt"
pid=""
others=""
cleanup() { running && kill "$pid"; [ -n "$others" ] && kill $others 2>/dev/null; }
trap cleanup EXIT

# The session's accessibility status, as the launcher of its bus says it: true or false.
status() {
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.freedesktop.DBus.Properties.Get org.a11y.Status IsEnabled 2>/dev/null | tr -d '(<>,)'
}
holds() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }

# Every object of application $a11y_app down to ten levels, a line each: its path, a tab, its name;
# read once per start, since each question is a process of its own.
index_tapoli() {
    : > "$HOME/tapoli-objects"
    level=/org/a11y/atspi/accessible/root
    depth=0
    while [ -n "$level" ] && [ "$depth" -le 10 ]; do
        next=""
        for object in $level; do
            printf '%s\t%s\n' "$object" "$(a11y_name "$a11y_app" "$object")" >> "$HOME/tapoli-objects"
            next="$next $(a11y_children "$a11y_app" "$object" | tr '\n' ' ')"
        done
        level=$next
        depth=$((depth + 1))
    done
    tapoli_app=$a11y_app
}
tapoli_object() { awk -F '\t' -v name="$1" '$2 == name { print $1; exit }' "$HOME/tapoli-objects"; }
# has_states APPLICATION OBJECT STATE...: each of AT-SPI's states (7 editable, 12 focused) is set.
has_states() {
    low=$(a11y --dest "$1" --object-path "$2" --method org.a11y.atspi.Accessible.GetState \
          | sed -n 's/^(\[uint32 \([0-9]*\),.*/\1/p')
    shift 2
    for state; do [ -n "$low" ] && [ $(((low >> state) & 1)) -eq 1 ] || return 1; done
}
# press NAME: the first action of Tapoli's push button (AT-SPI's role 43) named NAME, as a switch
# user's tool runs it; the list beside the keys names its characters too.
press() {
    object=""
    for candidate in $(awk -F '\t' -v name="$1" '$2 == name { print $1 }' "$HOME/tapoli-objects"); do
        [ "$(a11y --dest "$tapoli_app" --object-path "$candidate" --method org.a11y.atspi.Accessible.GetRole)" = "(uint32 43,)" ] \
            && object=$candidate && break
    done
    [ -n "$object" ] || fail "Tapoli shows no button '$1' on the accessibility bus"
    a11y --dest "$tapoli_app" --object-path "$object" --method org.a11y.atspi.Action.DoAction 0 > /dev/null \
        || fail "'$1' could not be pressed"
}
# press_until NAME FILE TEXT: presses NAME and waits for the field writing FILE to hold TEXT.
press_until() {
    press "$1"
    wait_until 30 "the field never held '$3' (it holds '$(cat "$2" 2>/dev/null)')" "holds '$2' '$3'"
}

# The focus, as the accessibility bus tells it: an editable and focused object of $a11y_app, at most
# two levels down, which $field becomes.
has_focused_field() {
    for object in /org/a11y/atspi/accessible/root $(a11y_children "$a11y_app" /org/a11y/atspi/accessible/root); do
        for field in $object $(a11y_children "$a11y_app" "$object"); do
            has_states "$a11y_app" "$field" 7 12 && return 0
        done
    done
    return 1
}
wait_for_focused_field() {
    wait_until 30 "$1 is not on the accessibility bus" "a11y_application '$1'"
    wait_until 30 "the field of $1 never got the focus" has_focused_field
}
# A click into the output OUTPUT (1 to 3), near the right end of its fullscreen field: the caret goes
# after the text.
click_output() { xdotool mousemove $((($1 - 1) * 800 + 700)) 280 click 1; }

# layout_file DIRECTION [MODE]: the layout below, written right to left (1) or not, and the mode on (1) or off.
# Keys whose captions the steps type: é œ € ÿ « on the first row, A B C on the second (Windows-1252);
# the bus names them as the characters' names.
e_acute="LETTRE MINUSCULE LATINE E ACCENT AIGU"; oe="DIGRAMME SOUDÉ MINUSCULE LATIN OE"; euro="SYMBOLE EURO"
y_diaeresis="LETTRE MINUSCULE LATINE Y TRÉMA"; guillemet="GUILLEMET GAUCHE"
key_a="LETTRE MAJUSCULE LATINE A"; key_b="LETTRE MAJUSCULE LATINE B"; key_c="LETTRE MAJUSCULE LATINE C"
layout_file() {
    mkdir -p "$HOME/claviers" "$TAPOLI_CONFIG_DIR"
    printf 'DejaVu Sans\r\n12;%s\r\ntchA=\351\r\ntchZ=\234\r\ntchE=\200\r\ntchR=\377\r\ntchT=\253\r\ntchQ=A\r\ntchS=B\r\ntchD=C\r\n' \
        "$1" > "$HOME/claviers/ecrire.cltpo"
    mode=${2:-1}
    printf '[params]\r\nclavier=%s\r\nPageIndex=0\r\nEcrireFenetreActive=%s\r\n' "$HOME/claviers/ecrire.cltpo" "$mode" > "$ini"
}
# Into the empty field writing FILE: é œ € ÿ « and a space, each seen to arrive, then "Annuler".
type_sentence() {
    press_until "$e_acute" "$1" "é"
    press_until "$oe" "$1" "éœ"
    press_until "$euro" "$1" "éœ€"
    press_until "$y_diaeresis" "$1" "éœ€ÿ"
    press_until "$guillemet" "$1" "éœ€ÿ«"
    press_until "<ESPACE>" "$1" "éœ€ÿ« "
    press_until Annuler "$1" "éœ€ÿ«"
}
# Right to left into the field writing FILE, which holds TEXT, the caret at its end: A B C give TEXTCBA.
type_backwards() {
    press_until "$key_a" "$1" "$2A"
    press_until "$key_b" "$1" "$2BA"
    press_until "$key_c" "$1" "$2CBA"
}
start_qt_target() {
    QT_QPA_PLATFORM=wayland "$qt_target" "$qt_typed" > "$artefacts/$e2e_name-qt.log" 2>&1 &
    others="$others $!"
}
start_gtk_target() {
    GDK_BACKEND=wayland /usr/bin/python3 "$gtk_target" "$gtk_typed" > "$artefacts/$e2e_name-gtk.log" 2>&1 &
    others="$others $!"
}
start_tapoli() {
    QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$binary" > "$log" 2>&1 &
    pid=$!
    wait_until 30 "tapoli did not appear on the accessibility bus" 'running || fail "tapoli ended"; a11y_application tapoli'
    wait_until 30 "tapoli shows no EXIT button yet" 'index_tapoli; grep -q "	EXIT$" "$HOME/tapoli-objects"'
    grep -q "Could not load the Qt platform plugin" "$log" && fail "tapoli did not run on Wayland"
    [ "$mode" = 0 ] || wait_until 30 "the mode did not switch accessibility on" '[ "$(status)" = true ]'
}

# Sets $place to the X window titled TITLE (xdotool's search by name misses Weston's).
output_window() {
    for place in $(xdotool search --name '' 2>/dev/null); do
        [ "$(xdotool getwindowname "$place" 2>/dev/null)" = "$1" ] && return 0
    done
    return 1
}

if [ "$compositor" = kwin ]; then
    step "KWin's virtual back end"
    kwin=$(command -v kwin_wayland)
    # kwin_wayland carries a file capability, which a sandbox with no new privileges refuses to run; a copy
    # has none, and KWin wants its own name.
    if ! "$kwin" --version > /dev/null 2>&1; then
        mkdir -p "$HOME/kwin" && cp "$kwin" "$HOME/kwin/kwin_wayland" && kwin="$HOME/kwin/kwin_wayland"
    fi
    "$kwin" --virtual --socket=tapoli-e2e --width=1600 --height=900 > "$artefacts/$e2e_name-kwin.log" 2>&1 &
    others="$others $!"
    wait_until 30 "KWin opened no socket" "[ -S \"\$XDG_RUNTIME_DIR/tapoli-e2e\" ]"
    export WAYLAND_DISPLAY=tapoli-e2e
    [ "$(status)" = false ] || fail "the session starts with accessibility '$(status)'"
    step "into the Qt field, then the GTK one, each focused as its window maps"
    layout_file 0
    start_tapoli
    start_qt_target
    wait_for_focused_field e2e_typing_target
    type_sentence "$qt_typed"
    start_gtk_target
    wait_for_focused_field tapoli-gtk-target
    type_sentence "$gtk_typed"
    holds "$qt_typed" "éœ€ÿ«" || fail "the Qt field, without the focus, changed to '$(cat "$qt_typed")'"
    step "closed: accessibility off again"
    press EXIT
    wait_for_exit
    [ "$(status)" = false ] || fail "accessibility is '$(status)' after Tapoli closed"
    echo "PASS"
    exit 0
fi

step "Weston on its X11 back end, three outputs"
printf '[output]\nname=X1\napp-ids=tapoli\n[output]\nname=X2\napp-ids=e2e_typing_target\n[output]\nname=X3\napp-ids=tapoli-gtk-target\n' \
    > "$HOME/weston.ini"
weston --config="$HOME/weston.ini" --backend=x11-backend.so --shell=kiosk-shell.so --output-count=3 \
    --width=760 --height=560 --use-pixman --socket=tapoli-e2e > "$artefacts/$e2e_name-weston.log" 2>&1 &
others="$others $!"
wait_until 30 "Weston opened no socket" "[ -S \"\$XDG_RUNTIME_DIR/tapoli-e2e\" ]"
export WAYLAND_DISPLAY=tapoli-e2e
for output in 1 2 3; do
    wait_until 30 "Weston's output X$output has no window" "output_window 'Weston Compositor - X$output'"
    xdotool windowmove "$place" $(((output - 1) * 800)) 0
done

step "accessibility off before Tapoli"
[ "$(status)" = false ] || fail "the session starts with accessibility '$(status)'"

step "left to right, into the Qt field that took the focus as it was mapped"
# GTK's bridge learns late who listens, and may not tell of a focus it gives at once: started first, its
# field is clicked into later.
start_gtk_target
wait_until 30 "the GTK program is not on the accessibility bus" "a11y_application tapoli-gtk-target"
layout_file 0
start_tapoli
start_qt_target
wait_for_focused_field e2e_typing_target
type_sentence "$qt_typed"

step "left to right, into the GTK field clicked"
click_output 3
wait_for_focused_field tapoli-gtk-target
type_sentence "$gtk_typed"
holds "$qt_typed" "éœ€ÿ«" || fail "the Qt field, without the focus, changed to '$(cat "$qt_typed")'"

step "Tapoli's own text clicked: the keys still go to the GTK field"
click_output 1
wait_until 30 "the click did not focus Tapoli's text" 'has_states "$tapoli_app" "$(tapoli_object Texte)" 12'
press_until "$e_acute" "$gtk_typed" "éœ€ÿ«é"
press_until Annuler "$gtk_typed" "éœ€ÿ«"

step "closed: accessibility off again"
press EXIT
wait_for_exit
[ "$(status)" = false ] || fail "accessibility is '$(status)' after Tapoli closed"

step "right to left, into each field clicked: A B C give CBA"
layout_file 1
start_tapoli
click_output 2
a11y_application e2e_typing_target && wait_until 30 "the click did not focus the Qt field" has_focused_field
type_backwards "$qt_typed" "éœ€ÿ«"
click_output 3
a11y_application tapoli-gtk-target && wait_until 30 "the click did not focus the GTK field" has_focused_field
type_backwards "$gtk_typed" "éœ€ÿ«"

step "a selection is typed over, and <SUP> takes the character after the caret"
a11y --dest "$a11y_app" --object-path "$field" --method org.a11y.atspi.Text.AddSelection 0 5 > /dev/null \
    || fail "the GTK field's text could not be selected"
press_until "$key_a" "$gtk_typed" "ACBA"
press_until "<SUP>" "$gtk_typed" "CBA"
holds "$qt_typed" "éœ€ÿ«CBA" || fail "the Qt field, without the focus, changed to '$(cat "$qt_typed")'"

step "ended by SIGTERM: accessibility off again"
kill -TERM "$pid"
wait_for_exit
[ "$(status)" = false ] || fail "accessibility is '$(status)' after Tapoli ended by SIGTERM"

step "killed, then started again with the mode on: accessibility off after it"
start_tapoli
kill -KILL "$pid"
wait_for_exit
[ "$(status)" = true ] || fail "a killed Tapoli left accessibility off: the step proves nothing"
start_tapoli
press EXIT
wait_for_exit
[ "$(status)" = false ] || fail "accessibility is '$(status)' after the Tapoli that followed a killed one"

step "killed, then started again with the mode off: accessibility off at once"
start_tapoli
kill -KILL "$pid"
wait_for_exit
layout_file 1 0
start_tapoli
wait_until 30 "the next start left accessibility on" '[ "$(status)" = false ]'
press EXIT
wait_for_exit
echo "PASS"
