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
rerun_in_xvfb 2400x1400 "$0" "$@"
private_home
export QT_SCALE_FACTOR="$scale"
"$binary" > "$artefacts/pages-$scale.log" 2>&1 &
pid=$!
cleanup() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; cleanup_home; }
trap cleanup EXIT
wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$artefacts/pages-$scale.log"
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$window")"
expected_width=$(awk "BEGIN { printf \"%d\", 719 * $scale + 0.5 }")
expected_height=$(awk "BEGIN { printf \"%d\", 434 * $scale + 0.5 }")
[ "$WIDTH" -ge "$((expected_width - 2))" ] && [ "$WIDTH" -le "$((expected_width + 2))" ] \
    || fail "window is $WIDTH wide at scale $scale, expected about $expected_width"
[ "$HEIGHT" -ge "$((expected_height - 2))" ] && [ "$HEIGHT" -le "$((expected_height + 2))" ] \
    || fail "window is $HEIGHT high at scale $scale, expected about $expected_height"

# The tabs stand at fixed design places in the lower panel: Clavier, Tous caractères, GRAND FORMAT.
tab_y=$(awk "BEGIN { printf \"%d\", (434 - 217 + 62) * $scale }")
for tab in 0 1 2; do
    tab_x=$(awk "BEGIN { printf \"%d\", (90 + 115 * $tab) * $scale }")
    xdotool mousemove --window "$window" "$tab_x" "$tab_y" click 1
    sleep 0.4
    shot="$artefacts/page$tab-scale$scale.png"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$shot" || fail "no screenshot"
    kill -0 "$pid" 2>/dev/null || fail "tapoli died on page $tab"
    echo "screenshot: $shot"
done
echo "PASS"
