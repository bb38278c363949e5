# The desktop session shared by the real-window tests: a private Xvfb, openbox with the
# tests' own configuration, clean-up on exit, and waiting. Sourced, never run.
# The sourcing script sets `work` (a temporary folder) and `here` (this folder) first.

xvfb_pid=""
wm_pid=""
app_pid=""
app_dir=""
win=""
menu=0

cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$app_dir" ] && [ -s "$app_dir/vorlo.log" ]; then
        echo "--- program output:" >&2
        cat "$app_dir/vorlo.log" >&2
    fi
    if [ -n "${DISPLAY:-}" ]; then
        echo "--- visible windows:" >&2
        for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            echo "$w $(xdotool getwindowname "$w")" >&2
        done
    fi
    exit 1
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds or time runs out.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# start_xvfb WIDTHxHEIGHT: a private X server of that size becomes the display.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_for 15 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_wm: openbox frames the windows as on a desktop, title bar included. Its own
# configuration has no key or mouse bindings that could take a typed key or a click.
start_wm() {
    local attempt
    for attempt in 1 2 3; do
        openbox --sm-disable --config-file "$here/openbox_rc.xml" >"$work/openbox.log" 2>&1 &
        wm_pid=$!
        if wait_for 15 wm_ready; then
            return 0
        fi
        kill "$wm_pid" 2>/dev/null || true
        wm_pid=""
        sleep 1
    done
    fail "openbox did not start: $(cat "$work/openbox.log")"
}
