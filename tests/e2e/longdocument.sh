#!/bin/sh
# A long document named on the command line: the window maps at once and goes on answering while the
# text goes in; keys typed into the text meanwhile are kept and land at the caret of the whole text, which
# is all there. Closing leaves the file as it was.
# Usage: longdocument.sh TAPOLI_BINARY ARTEFACT_FOLDER
set -u
binary=$1
artefacts=$2
mkdir -p "$artefacts"
. "$(dirname "$0")/common.sh"
e2e_name=longdocument
rerun_in_private_session 1280x800 "$0" "$@"

log="$artefacts/longdocument.log"
document="$HOME/long.txt"
lines=1500000
pid=""
cleanup() { running && kill "$pid"; }
trap cleanup EXIT

step "a document of about 50 MB in short Windows-1252 lines"
awk -v lines=$lines 'BEGIN { for (i = 0; i < lines; i++) printf "ligne %07d : des accents \351t\351\r\n", i }' > "$document"
before=$(cksum < "$document")

step "the window maps while the document loads"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$binary" "$document" > "$log" 2>&1 &
pid=$!
wait_for_window 'Tapoli v4.2 -- Pas de fichier' "$log"

step "keys typed into the text meanwhile"
xdotool mousemove --window "$window" 6 40 click 1
xdotool type --delay 20 xyz
loading() { [ "$(xdotool getwindowname "$window")" = 'Tapoli v4.2 -- Pas de fichier' ]; }
loading || fail "the document was whole before the keys came: nothing was typed while it loaded"

step "the window answers meanwhile: a click shows another page"
shown=$(picture)
xdotool mousemove --window "$window" 179 279 click 1
wait_until 30 "the page did not change while the document loaded" '[ "$(picture)" != "$shown" ] && loading'

step "the whole text, the keys at its start"
wait_until 60 "the document did not come whole" "[ \"\$(xdotool getwindowname $window)\" = 'Tapoli v4.2 -- $document' ]"
wait_until 30 "tapoli is not on the accessibility bus" 'a11y_application tapoli'
wait_until 30 "no text area on the accessibility bus" 'a11y_find Texte 10'
text_start() { a11y_text "$a11y_found" 16; }
wait_until 30 "the text begins with '$(text_start)'" '[ "$(text_start)" = "xyzligne 0000000" ]'
count=$(a11y_character_count "$a11y_found")
# Thirty-one characters and a line break a line, the last one's taken off, and the three keys.
[ "$count" = "$((lines * 32 - 1 + 3))" ] || fail "the text holds $count characters"
import -window root "$artefacts/longdocument.png" || fail "no screenshot"

step "closed, the file is as it was"
kill "$pid"
wait_for_exit
[ "$(cksum < "$document")" = "$before" ] || fail "the document changed on disk"
echo "PASS"
