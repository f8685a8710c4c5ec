# Shared by the end-to-end scripts (sourced, not run): a private X server and session bus, a throwaway
# home, waiting for what a step checks, and what a failed step leaves behind.
#
# Every wait is for a condition with a deadline, never for a fixed time: a machine with a desktop's
# session and accessibility buses starts the program later than a bare one, and a script that guesses
# how long things take loses the race there.
#
# A script sets $artefacts (its artefact folder) and may set $e2e_name (the name its failure files
# take, by default the script's own), then calls `step` before each thing it does.

step_name="starting"
step() { step_name=$1; }

# Reports which step failed and why, and leaves the screen and the list of mapped windows beside the
# other artefacts, so that a failure on another machine can be understood from its artefacts alone.
fail() {
    echo "FAIL at step \"$step_name\": $*"
    name="${e2e_name:-$(basename "$0" .sh)}-failure"
    if [ -n "${DISPLAY:-}" ] && [ -n "${artefacts:-}" ]; then
        import -window root "$artefacts/$name.png" 2>/dev/null && echo "screen: $artefacts/$name.png"
        list_windows > "$artefacts/$name-windows.txt" 2>&1
        echo "mapped windows ($artefacts/$name-windows.txt):"
        cat "$artefacts/$name-windows.txt"
    elif [ -n "${WAYLAND_DISPLAY:-}" ] && [ -n "${artefacts:-}" ]; then
        # A Wayland compositor lists no windows to a client; its screen is what there is to leave.
        (cd "$artefacts" && weston-screenshooter > /dev/null 2>&1) \
            && mv "$(ls "$artefacts"/wayland-screenshot-*.png | head -n 1)" "$artefacts/$name.png" \
            && echo "screen: $artefacts/$name.png"
    fi
    if [ -n "${log:-}" ] && [ -s "$log" ]; then
        echo "program output ($log):"
        cat "$log"
    fi
    exit 1
}

list_windows() {
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        printf '%s\t%s\t%s\n' "$id" \
            "$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: //p')" \
            "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

# Runs COMMAND inside an X server and a session bus of its own, with a home of its own, so that nothing
# of the caller's session (its bus, a bus that cannot start, its settings or layouts) reaches the
# program. The command, this script run again, finds itself inside with TAPOLI_E2E_INNER and calls
# enter_private_session. run_in_private_session SCREEN COMMAND...; a SCREEN of "none" starts no X
# server (the script brings its own display, a Wayland compositor say).
run_in_private_session() {
    screen=$1
    shift
    home=$(mktemp -d)
    (
        export TAPOLI_E2E_INNER=1
        export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
        export TAPOLI_CONFIG_DIR="$home/tapoli-config"
        mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
        # -noreset: an X server resets when its last client leaves, and a program that connects during
        # the reset fails to start; between two programs of a script nothing else holds it open.
        if [ "$screen" = none ]; then
            unset DISPLAY WAYLAND_DISPLAY
            dbus-run-session -- "$@"
        else
            xvfb-run -a -s "-screen 0 ${screen}x24 -noreset" dbus-run-session -- "$@"
        fi
    )
    status=$?
    rm -rf "$home"
    return $status
}

# Runs the calling script again in a private session, once, and ends with its status; inside, returns.
# rerun_in_private_session SCREEN "$0" "$@"
rerun_in_private_session() {
    if [ -n "${TAPOLI_E2E_INNER:-}" ]; then
        enter_private_session
        return 0
    fi
    run_in_private_session "$@"
    exit $?
}

enter_private_session() {
    unset QT_QPA_PLATFORM
    start_accessibility_bus
}

# A desktop session has its accessibility bus up before any program starts, and Qt talks to it when it
# is there; so does this session, where at-spi2-core is installed. Without it the program must run the
# same, so a failure here is no failure of the test.
start_accessibility_bus() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        > /dev/null 2>&1 || echo "no accessibility bus in this session"
}

# Polls the shell command CONDITION every 50 ms until it succeeds; fails with WHY after SECONDS.
# wait_until SECONDS WHY CONDITION
wait_until() {
    seconds=$1
    why=$2
    condition=$3
    deadline=$(($(date +%s) + seconds))
    until eval "$condition"; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "$why (waited $seconds s)"
        sleep 0.05
    done
}

running() { [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null; }

# Waits for process $pid to map a window titled exactly TITLE, and sets $window to it.
# Fails at once, showing LOG, if the process ends first.
wait_for_window() {
    title=$1
    log=$2
    window=""
    wait_until 30 "no mapped window titled '$title'" "find_window '$title'"
}

find_window() {
    running || fail "tapoli exited before mapping its window"
    for candidate in $(xdotool search --onlyvisible --name '^Tapoli v4.2' 2>/dev/null); do
        [ "$(xdotool getwindowname "$candidate" 2>/dev/null)" = "$1" ] && window=$candidate
    done
    [ -n "$window" ]
}

# A fingerprint of what $window shows now.
picture() { import -window "$window" rgb:- 2>/dev/null | cksum; }

# Waits until $window shows the same picture twice in a row, and a different one from BEFORE when
# given; sets $shown to it. What the program does on one event is painted at once, so a picture that
# holds still is the program's answer to the last event sent.
wait_for_still_picture() {
    before=${1:-}
    shown=""
    wait_until 30 "the window did not settle on a new picture" "picture_holds_still '$before'"
}

picture_holds_still() {
    running || fail "tapoli ended"
    now=$(picture)
    if [ -n "$now" ] && [ "$now" = "$shown" ] && [ "$now" != "$1" ]; then
        return 0
    fi
    shown=$now
    return 1
}

# Waits for the first paint of the main window: the splash leaves then, and the picture holds still.
wait_for_first_paint() {
    wait_until 30 "the splash window is still shown" \
        "! xdotool search --onlyvisible --name '^Splash commun\$' >/dev/null 2>&1"
    wait_for_still_picture
}

# The colour of the pixel X,Y of $window, as ImageMagick names it ("srgb(255,0,0)" or "red").
pixel() { import -window "$window" -crop "1x1+$1+$2" -format '%[pixel:p{0,0}]' info: 2>/dev/null; }

# True when tapoli.ini FILE holds the twelve keys Windows' file has, each on a line ended by CR LF.
has_the_twelve_keys() {
    for key in Police Taille clavier formTop formLeft formwidth formheight fond texte Ascenceurs PageIndex taill; do
        grep -q "$(printf '^%s=.*\r$' "$key")" "$1" || { echo "no $key= line"; return 1; }
    done
}

# Waits for the program to end by itself.
wait_for_exit() {
    wait_until 30 "tapoli did not close" "! running"
    wait "$pid" 2>/dev/null
    pid=""
}

# The accessibility bus, as assistive tools see the program: find an object by its accessible name and
# run its first action ("Press" for a button). Needs gdbus (libglib2.0-bin).
a11y() { gdbus call --address "$a11y_bus" "$@" 2>/dev/null; }
a11y_name() {
    a11y --dest "$1" --object-path "$2" --method org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name \
        | sed "s/^(<'//; s/'>,)\$//"
}
a11y_children() {
    a11y --dest "$1" --object-path "$2" --method org.a11y.atspi.Accessible.GetChildren \
        | grep -o "/org/a11y/atspi/accessible/[0-9a-z]*"
}

# The number of characters of the accessible text OBJECT of $a11y_app; and its first COUNT characters, all of
# them without COUNT (Qt takes no -1 for "to the end"). a11y_text OBJECT [COUNT]
a11y_character_count() {
    a11y --dest "$a11y_app" --object-path "$1" --method org.freedesktop.DBus.Properties.Get \
        org.a11y.atspi.Text CharacterCount | sed 's/^(<\([0-9]*\)>,)$/\1/'
}
a11y_text() {
    count=${2:-$(a11y_character_count "$1")}
    a11y --dest "$a11y_app" --object-path "$1" --method org.a11y.atspi.Text.GetText 0 "${count:-0}" \
        | sed "s/^('//; s/',)\$//"
}

# Sets $a11y_app to the bus name of the application whose accessible root is named NAME.
a11y_application() {
    a11y_bus=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus --method org.a11y.Bus.GetAddress \
        2>/dev/null | sed "s/^('//; s/',)\$//")
    [ -n "$a11y_bus" ] || return 1
    for candidate in $(a11y --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
                           --method org.freedesktop.DBus.ListNames | grep -o "':[0-9.]*'" | tr -d "'"); do
        if [ "$(a11y_name "$candidate" /org/a11y/atspi/accessible/root)" = "$1" ]; then
            a11y_app=$candidate
            return 0
        fi
    done
    return 1
}

# Sets $a11y_found to the path of the first object named NAME, breadth first, at most DEPTH levels down.
a11y_find() {
    level=/org/a11y/atspi/accessible/root
    depth=0
    while [ -n "$level" ] && [ "$depth" -le "$2" ]; do
        next=""
        for object in $level; do
            if [ "$(a11y_name "$a11y_app" "$object")" = "$1" ]; then
                a11y_found=$object
                return 0
            fi
            next="$next $(a11y_children "$a11y_app" "$object" | tr '\n' ' ')"
        done
        level=$next
        depth=$((depth + 1))
    done
    return 1
}
