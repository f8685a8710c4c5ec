#!/bin/sh
# Starts the real program at a given scale factor, shows each notebook page in turn and saves a
# screenshot of each, so the pages can be looked at crisp at 100 % and 200 %.
# Usage: pages.sh TAPOLI_BINARY ARTEFACT_FOLDER SCALE
set -u
binary=$1
artefacts=$2
scale=$3
mkdir -p "$artefacts"

if [ -z "${TAPOLI_E2E_INNER:-}" ]; then
    export TAPOLI_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 2400x1400x24" "$0" "$@"
fi

unset QT_QPA_PLATFORM
home=$(mktemp -d)
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
export TAPOLI_CONFIG_DIR="$home/tapoli-config" QT_SCALE_FACTOR="$scale"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$binary" > "$artefacts/pages-$scale.log" 2>&1 &
pid=$!
cleanup() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$home"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

window=""
i=0
while [ -z "$window" ] && [ $i -lt 300 ]; do
    kill -0 "$pid" 2>/dev/null || fail "tapoli exited at start"
    window=$(xdotool search --onlyvisible --name '^Tapoli v4.2 -- Pas de fichier$' 2>/dev/null | head -n 1)
    sleep 0.1
    i=$((i + 1))
done
[ -n "$window" ] || fail "no main window"
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
