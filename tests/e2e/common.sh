# Shared by the end-to-end scripts (sourced, not run): a private X server, a throwaway home, and waiting
# for a window of Tapoli's to be mapped.

fail() { echo "FAIL: $*"; exit 1; }

# Runs the calling script again inside its own X server, once: rerun_in_xvfb SCREEN "$0" "$@"
rerun_in_xvfb() {
    [ -n "${TAPOLI_E2E_INNER:-}" ] && return 0
    screen=$1
    shift
    export TAPOLI_E2E_INNER=1
    exec xvfb-run -a -s "-screen 0 ${screen}x24" "$@"
}

# A home of its own, so that no user's settings or layouts reach the program; removed by cleanup_home.
private_home() {
    unset QT_QPA_PLATFORM
    home=$(mktemp -d)
    export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
    export TAPOLI_CONFIG_DIR="$home/tapoli-config"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
}

cleanup_home() { [ -n "${home:-}" ] && rm -rf "$home"; }

# Waits up to 30 s for process $pid to map a window titled exactly TITLE, and sets $window to it.
# Fails, showing LOG, if the process ends first.
wait_for_window() {
    title=$1
    log=$2
    window=""
    i=0
    while [ $i -lt 300 ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "FAIL: tapoli exited before mapping its window"
            cat "$log"
            exit 1
        fi
        for candidate in $(xdotool search --onlyvisible --name '^Tapoli v4.2' 2>/dev/null); do
            [ "$(xdotool getwindowname "$candidate")" = "$title" ] && window=$candidate
        done
        [ -n "$window" ] && return 0
        sleep 0.1
        i=$((i + 1))
    done
    fail "no mapped window titled '$title' within 30 s"
}
