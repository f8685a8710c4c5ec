#!/bin/sh
# "Écrire dans la fenêtre active" natively under a wlroots compositor (a headless sway): clicks on Tapoli's
# keys, by sway's own cursor, so that Tapoli really takes the keyboard, type into the program the user was
# typing into, a Qt and a GTK 3 one on Wayland and an XWayland one; "Annuler" takes the last character
# back; right to left works. Tapoli's virtual keyboard lives while the mode is on, and is gone once Tapoli ends.
# Usage: waylandkeys.sh TAPOLI_BINARY TARGET_BINARY POINTER_BINARY ARTEFACT_FOLDER
# Exits 77, which CTest counts as a skip, where sway or Qt's Wayland platform is missing.
set -u
binary=$1
target=$2
pointer=$3
artefacts=$4
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name=waylandkeys
command -v sway >/dev/null 2>&1 || { echo "SKIP: sway is not installed"; exit 77; }
command -v jq >/dev/null 2>&1 || { echo "SKIP: jq is not installed"; exit 77; }
[ -n "$(find /usr/lib/*/qt6/plugins/platforms -name 'libqwayland-generic.so' 2>/dev/null)" ] \
    || { echo "SKIP: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }
rerun_in_private_session none "$0" "$@"

log="$artefacts/$e2e_name.log"
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
pid=""
compositor=""
field=""
lender=""
# sway refuses to run as root: it runs as nobody then, in a folder of its own that root's clients reach.
sway_home=$(mktemp -d /tmp/tapoli-sway.XXXXXX)
as_sway_user=""
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$sway_home"
    as_sway_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
cleanup() {
    running && kill "$pid"
    [ -n "$field" ] && kill "$field" 2>/dev/null
    [ -n "$lender" ] && kill "$lender" 2>/dev/null
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null
    rm -rf "$sway_home"
}
trap cleanup EXIT

step "start a headless sway"
# Windows float at their own size, without borders, so that a window's place in the tree is its content's.
# noatomic: sway moves a window at once rather than when the window has drawn itself anew, which Qt does
# not do for a configure of the size it already has; until then the tree says where a window goes, while
# clicks find it where it was.
cat > "$sway_home/config" <<'EOF'
output HEADLESS-1 resolution 1280x800 position 0 0
xwayland enable
default_border none
default_floating_border none
for_window [title=".*"] floating enable
EOF
env -i PATH="$PATH" HOME="$sway_home" XDG_RUNTIME_DIR="$sway_home" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman $as_sway_user sway -D noatomic -c "$sway_home/config" \
    > "$artefacts/$e2e_name-sway.log" 2>&1 &
compositor=$!
wait_until 30 "sway opened no sockets" \
    'kill -0 "$compositor" || fail "sway ended"; ls "$sway_home"/sway-ipc.*.sock "$sway_home"/wayland-* >/dev/null 2>&1'
export SWAYSOCK="$(ls "$sway_home"/sway-ipc.*.sock)"
export WAYLAND_DISPLAY="$(ls "$sway_home"/wayland-* | grep -v '\.lock$' | head -n 1)"
wait_until 30 "sway does not answer" 'swaymsg -t get_version >/dev/null 2>&1'
# Without a pointer device the seat offers its programs no pointer, and sway's cursor clicks reach none.
"$pointer" > "$sway_home/pointer.log" 2>&1 &
lender=$!
wait_until 30 "the seat was lent no pointer" 'kill -0 "$lender" || fail "$(cat "$sway_home/pointer.log")"; grep -q ready "$sway_home/pointer.log"'

# The tree's windows, one a line: name, place of the content, whether it has the keyboard, pid, app_id.
windows() {
    swaymsg -t get_tree 2>/dev/null | jq -r '.. | objects | select(.pid? and .rect?)
        | [.name, .rect.x + .window_rect.x, .rect.y + .window_rect.y, .focused, .pid, .app_id // .window_properties.class]
        | @tsv'
}
focused_name() { windows | awk -F '\t' '$4 == "true" { print $1 }'; }
virtual_keyboards() { swaymsg -t get_inputs 2>/dev/null | jq '[.[] | select(.type == "keyboard")] | length'; }

typed="$HOME/typed.txt"
field_holds() { [ "$(cat "$typed" 2>/dev/null)" = "$1" ]; }
# start_field PLATFORM: the typing target, on Wayland or through sway's Xwayland, or GTK 3's ("gtk"),
# with the keyboard.
start_field() {
    rm -f "$typed"
    if [ "$1" = gtk ]; then
        field_title="Cible Tapoli GTK"
        GDK_BACKEND=wayland /usr/bin/python3 "$(dirname "$0")/gtktarget.py" "$typed" > "$artefacts/$e2e_name-gtk.log" 2>&1 &
    else
        field_title="Cible Tapoli"
        QT_QPA_PLATFORM=$1 "$target" "$typed" > "$artefacts/$e2e_name-target-$1.log" 2>&1 &
    fi
    field=$!
    wait_until 30 "the target's window did not map" 'windows | grep -q "^$field_title	"'
    focus_field
}
stop_field() {
    kill "$field"
    wait "$field" 2>/dev/null
    field=""
}

# The layout file and settings activewindow.sh makes, the keys that this script clicks among them.
layout_file() {
    mkdir -p "$HOME/claviers"
    printf 'DejaVu Sans\r\n12;%s\r\ntchA=\351\r\ntchZ=\234\r\ntchE=\200\r\ntchR=\377\r\ntchT=\253\r\ntchQ=A\r\ntchS=B\r\ntchD=C\r\n' \
        "$1" > "$HOME/claviers/ecrire.cltpo"
    mkdir -p "$TAPOLI_CONFIG_DIR"
    printf '[params]\r\nclavier=%s\r\nPageIndex=0\r\nEcrireFenetreActive=1\r\n' "$HOME/claviers/ecrire.cltpo" > "$ini"
}
# Places in Tapoli's window at its design size: the keyboard page begins at (56, 293).
key() { echo "$((56 + $1 + 15)) $((293 + $2 + 15))"; }
tchA=$(key 8 3); tchZ=$(key 39 3); tchE=$(key 70 3); tchR=$(key 100 3); tchT=$(key 131 3)
tchQ=$(key 8 33); tchS=$(key 39 33); tchD=$(key 70 33)
espace="574 230"; annuler="540 254"; exit_button="681 254"
# A click with the seat's cursor, as a pointer clicks: sway gives Tapoli the keyboard.
click() {
    swaymsg "seat - cursor set $((tapoli_x + $1)) $((tapoli_y + $2)), seat - cursor press button1, seat - cursor release button1" \
        > /dev/null || fail "sway did not click"
}
click_until() {
    click $1
    wait_until 30 "the field never held '$2' (it holds '$(cat "$typed" 2>/dev/null)')" "field_holds \"$2\""
}

focus_field() {
    swaymsg "[title=\"^$field_title\$\"] focus" > /dev/null
    wait_until 30 "the field did not get the keyboard" '[ "$(focused_name)" = "$field_title" ]'
}
start_tapoli() {
    QT_QPA_PLATFORM=wayland "$binary" > "$log" 2>&1 &
    pid=$!
    wait_until 30 "no window 'Tapoli v4.2 -- Pas de fichier'" \
        'running || fail "tapoli ended"; windows | grep -q "^Tapoli v4.2 -- Pas de fichier	"'
    place=$(windows | awk -F '\t' '$1 == "Tapoli v4.2 -- Pas de fichier" { print $2, $3 }')
    tapoli_x=${place% *}
    tapoli_y=${place#* }
    [ "$(windows | awk -F '\t' '$1 == "Tapoli v4.2 -- Pas de fichier" { print $6 }')" = tapoli ] \
        || fail "Tapoli's windows are not known to sway as 'tapoli'"
    wait_until 30 "the mode did not bring a virtual keyboard" '[ "$(virtual_keyboards)" -eq 1 ]'
    # A new window takes the keyboard: the user clicks back into the field.
    focus_field
}
stop_tapoli() {
    click $exit_button
    wait_for_exit
    grep -q "$(printf '^EcrireFenetreActive=1\r$')" "$ini" || fail "the mode was not remembered"
    wait_until 30 "Tapoli's virtual keyboard outlived it" '[ "$(virtual_keyboards)" -eq 0 ]'
}

step "left to right into a Wayland program: é œ € ÿ « and a space, then Annuler"
start_field wayland
layout_file 0
start_tapoli
click_until "$tchA" "é"
click_until "$tchZ" "éœ"
click_until "$tchE" "éœ€"
click_until "$tchR" "éœ€ÿ"
click_until "$tchT" "éœ€ÿ«"
click_until "$espace" "éœ€ÿ« "
click_until "$annuler" "éœ€ÿ«"
# The click gave Tapoli the keyboard for a moment; the field has it again, as the user left it.
wait_until 30 "the field did not get the keyboard back after the click" '[ "$(focused_name)" = "$field_title" ]'
stop_tapoli

step "right to left: A B C give CBA"
stop_field
start_field wayland
layout_file 1
start_tapoli
click_until "$tchQ" "A"
click_until "$tchS" "BA"
click_until "$tchD" "CBA"
stop_tapoli
stop_field

step "into a GTK 3 program, whose BackSpace must come from the layout's own key"
start_field gtk
layout_file 0
start_tapoli
click_until "$tchA" "é"
click_until "$tchE" "é€"
click_until "$tchR" "é€ÿ"
click_until "$annuler" "é€"
stop_tapoli
stop_field

step "into an XWayland program"
# sway starts its Xwayland on the first X client and tells its programs where; Xwayland lets in only
# sway's user, who lets this script's in.
swaymsg "exec xhost +si:localuser:$(id -un) && echo \$DISPLAY > $sway_home/display" > /dev/null
wait_until 30 "sway's Xwayland let no one in" '[ -s "$sway_home/display" ]'
export DISPLAY="$(cat "$sway_home/display")"
[ -n "$DISPLAY" ] || fail "sway runs no Xwayland"
start_field xcb
layout_file 0
start_tapoli
click_until "$tchA" "é"
click_until "$tchZ" "éœ"
click_until "$tchE" "éœ€"
click_until "$tchT" "éœ€«"
click_until "$annuler" "éœ€"
stop_tapoli
echo "PASS"
