#!/bin/sh
# Starts the real program natively under Wayland, in a headless Weston of its own: the window must show
# (a screenshot from the compositor, and the window as the accessibility bus announces it), and a close,
# pressed through the accessibility bus as a switch user's tool would, must write tapoli.ini with its
# twelve keys, the window's place kept from before, since a Wayland compositor never tells a window where
# it stands.
# Usage: wayland.sh TAPOLI_BINARY ARTEFACT_FOLDER
# Exits 77, which CTest counts as a skip, where Weston or Qt's Wayland platform is missing.
set -u
binary=$1
artefacts=$2
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name=wayland
command -v weston >/dev/null 2>&1 || { echo "SKIP: weston is not installed"; exit 77; }
[ -n "$(find /usr/lib/*/qt6/plugins/platforms -name 'libqwayland-generic.so' 2>/dev/null)" ] \
    || { echo "SKIP: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }
rerun_in_private_session none "$0" "$@"

log="$artefacts/wayland.log"
ini="$TAPOLI_CONFIG_DIR/tapoli.ini"
pid=""
compositor=""
cleanup() { running && kill "$pid"; [ -n "$compositor" ] && kill "$compositor" 2>/dev/null; }
trap cleanup EXIT

step "start a headless Weston"
# --debug lets weston-screenshooter take its picture; pixman renders without a GPU.
weston --backend=headless-backend.so --use-pixman --socket=tapoli-e2e --width=1280 --height=800 --debug \
    > "$artefacts/weston.log" 2>&1 &
compositor=$!
wait_until 30 "Weston opened no socket" "[ -S \"\$XDG_RUNTIME_DIR/tapoli-e2e\" ]"
export WAYLAND_DISPLAY=tapoli-e2e

step "start tapoli on Wayland, with a place stored by an earlier run"
mkdir -p "$TAPOLI_CONFIG_DIR"
printf '[params]\r\nformTop=150\r\nformLeft=250\r\nPageIndex=2\r\n' > "$ini"
QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$binary" > "$log" 2>&1 &
pid=$!

step "the window, as the accessibility bus announces it"
wait_until 30 "tapoli did not appear on the accessibility bus" 'running || fail "tapoli ended"; a11y_application tapoli'
wait_until 30 "no window 'Tapoli v4.2 -- Pas de fichier'" 'a11y_find "Tapoli v4.2 -- Pas de fichier" 1'
grep -q "Could not load the Qt platform plugin" "$log" && fail "tapoli did not run on Wayland"

step "a screenshot from the compositor"
# The form's colour on screen is the window painted.
shot_taken() {
    rm -f "$artefacts"/wayland-screenshot-*.png
    (cd "$artefacts" && weston-screenshooter > /dev/null 2>&1) || return 1
    shot=$(ls "$artefacts"/wayland-screenshot-*.png 2>/dev/null | head -n 1)
    [ -n "$shot" ] && convert "$shot" -format %c histogram:info:- | grep -q '(240,202,166)'
}
if command -v weston-screenshooter >/dev/null 2>&1; then
    wait_until 30 "the screenshot never showed the window" shot_taken
    mv "$shot" "$artefacts/wayland.png"
    echo "screenshot: $artefacts/wayland.png"
else
    echo "weston-screenshooter not installed: the window is known from the accessibility bus only"
fi

step "EXIT pressed through the accessibility bus"
wait_until 30 "no EXIT button on the accessibility bus" 'a11y_find EXIT 6'
a11y --dest "$a11y_app" --object-path "$a11y_found" --method org.a11y.atspi.Action.DoAction 0 > /dev/null
wait_for_exit

step "the settings written at the close"
[ -f "$ini" ] || fail "no $ini written"
cp "$ini" "$artefacts/tapoli-wayland.ini"
has_the_twelve_keys "$ini" || fail "the twelve keys of Windows' tapoli.ini are not all written"
grep -q "$(printf '^formTop=150\r$')" "$ini" || fail "formTop did not keep its stored value"
grep -q "$(printf '^formLeft=250\r$')" "$ini" || fail "formLeft did not keep its stored value"
grep -q "$(printf '^formwidth=719\r$')" "$ini" || fail "formwidth is not the window's width"
grep -q "$(printf '^PageIndex=2\r$')" "$ini" || fail "the page did not come back"
echo "PASS"
