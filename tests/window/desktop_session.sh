# shellcheck shell=bash
# The desktop of the real-window test and scripts/screenshot: Xvfb, openbox, the program in a
# folder of its own, clicks in the middle of the designed rectangles, texts by the clipboard,
# all ended on exit. Sourced; the sourcing script first sets `work`, an empty folder.

session_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
xvfb_pid="" wm_pid="" app_pid="" app_dir="" win="" menu=0

end_session() {
    # shellcheck disable=SC2086 # the ids of what was started, none quoted empty
    kill $app_pid $wm_pid $xvfb_pid 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap end_session EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$app_dir/vorlo.log" >&2 2>/dev/null || true
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

wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_desktop WIDTHxHEIGHT: a private X server of that size becomes the display, with
# openbox framing the windows, title bar included, and binding no key or click of its own.
start_desktop() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 & # -noreset: no restart each time its last client leaves
    xvfb_pid=$!
    wait_for 30 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
    unset WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    wait_for 30 xprop -root -len 0 >/dev/null 2>&1 || fail "the X server does not answer"
    openbox --sm-disable --config-file "$session_dir/openbox_rc.xml" >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for 30 wm_ready || fail "openbox did not start: $(cat "$work/openbox.log")"
}

# The main window's controls, by object name: left, top, width and height in twips (15 to a
# pixel) in the client area, as designed. The client area is 15540 x 9795 twips.
declare -A designed=(
    [ref]="120 720 5000 6255"
    [propal]="10440 720 4935 6255"
    [init]="480 9240 1575 375"
    [record]="2760 9240 1575 375"
    [bt_copier]="6120 9240 1695 375"
    [Générer]="11280 9240 1695 375"
    [quit]="13440 9240 1575 375"
)

# start_app FOLDER [VARIABLE=VALUE...]: starts the copy of the program in FOLDER with these
# variables and waits for its main window, of the designed client width; `menu` is then the
# menu bar's height.
start_app() {
    app_dir="$1"
    shift
    env "$@" "$app_dir/vorlo" >>"$app_dir/vorlo.log" 2>&1 &
    app_pid=$!
    win="$(timeout 60 xdotool search --sync --onlyvisible --name '^PRUM - Vorlo' | head -n 1)" ||
        fail "the main window did not appear"
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$win" | grep -E '^(WIDTH|HEIGHT)=')"
    [ "$WIDTH" = $((15540 / 15)) ] || fail "main window width $WIDTH"
    menu=$((HEIGHT - 9795 / 15))
    [ "$menu" -gt 10 ] || fail "main window height $HEIGHT leaves no room for the menu bar"
    activate "$win"
}

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
activate() { # WINDOW gets the keyboard focus, so that the keys sent next reach it
    xdotool windowactivate "$1" 2>/dev/null || true
    wait_for 20 has_focus "$1" || fail "the window $1 does not get the keyboard focus"
}

# click NAME [BUTTON]: a click in the middle of a control of the main window, the pointer
# resting a moment over it first as a hand would.
click() {
    local left top width height
    read -r left top width height <<<"${designed[$1]}"
    xdotool mousemove --window "$win" $(((left + width / 2) / 15)) \
        $(((top + height / 2) / 15 + menu)) sleep 0.2 click "${2:-1}"
}

selection_is() { [ "$(timeout 5 xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null)" = "$1" ]; }

# offer TEXT: xclip holds TEXT on the clipboard, ready to give it to the program.
offer() {
    printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1
    wait_for 20 selection_is "$1" || fail "xclip does not hold the clipboard"
}

# paste_text TEXT: TEXT replaces the whole text of the box that has the focus.
paste_text() {
    offer "$1"
    xdotool key --clearmodifiers ctrl+a ctrl+v
}
paste_into() { click "$1" && paste_text "$2"; } # NAME TEXT: into a box of the main window
