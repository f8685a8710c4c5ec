#!/bin/sh
# Starts the real program at a given scale factor, shows each notebook page in turn and saves a
# screenshot of each, so the pages can be looked at crisp at 100 % and 200 %.
# Usage: pages.sh TAPOLI_BINARY ARTEFACT_FOLDER SCALE
set -u
binary=$1
artefacts=$2
scale=$3
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
rerun_in_private_session 2400x1400 "$0" "$@"
e2e_name="pages-scale$scale"
log="$artefacts/pages-$scale.log"
export QT_SCALE_FACTOR="$scale"
"$binary" > "$log" 2>&1 &
pid=$!
cleanup() { running && kill "$pid"; wait "$pid" 2>/dev/null; }
trap cleanup EXIT

step "map and paint the main window"
wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"
wait_for_first_paint

step "window size at scale $scale"
eval "$(xdotool getwindowgeometry --shell "$window")"
expected_width=$(awk "BEGIN { printf \"%d\", 719 * $scale + 0.5 }")
expected_height=$(awk "BEGIN { printf \"%d\", 434 * $scale + 0.5 }")
[ "$WIDTH" -ge "$((expected_width - 2))" ] && [ "$WIDTH" -le "$((expected_width + 2))" ] \
    || fail "window is $WIDTH wide at scale $scale, expected about $expected_width"
[ "$HEIGHT" -ge "$((expected_height - 2))" ] && [ "$HEIGHT" -le "$((expected_height + 2))" ] \
    || fail "window is $HEIGHT high at scale $scale, expected about $expected_height"

# The tabs stand at fixed design places in the lower panel: Clavier, Tous caractères, GRAND FORMAT.
# The pointer rests on a tab before the click, so that the picture a click is waited for is the page
# it shows, not the tab's hover highlight. The first tab is already shown: its click changes nothing.
tab_y=$(awk "BEGIN { printf \"%d\", (434 - 217 + 62) * $scale }")
for tab in 0 1 2; do
    step "show page $tab"
    tab_x=$(awk "BEGIN { printf \"%d\", (90 + 115 * $tab) * $scale }")
    xdotool mousemove --window "$window" "$tab_x" "$tab_y"
    wait_for_still_picture
    before=$shown
    xdotool click 1
    if [ $tab -eq 0 ]; then wait_for_still_picture; else wait_for_still_picture "$before"; fi
    shot="$artefacts/page$tab-scale$scale.png"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$shot" || fail "no screenshot"
    running || fail "tapoli died on page $tab"
    echo "screenshot: $shot"
done
echo "PASS"
