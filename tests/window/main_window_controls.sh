# The main window as the real-window tests drive it: starting the program, its buttons and
# text boxes at their client-area pixels, and the clipboard read back. Sourced after
# window_session.sh, never run.

# start_app FOLDER: starts the copy of the program in FOLDER and waits for its window.
start_app() {
    app_dir="$1"
    "$app_dir/vorlo" >>"$app_dir/vorlo.log" 2>&1 &
    app_pid=$!
    win="$(timeout 60 xdotool search --sync --onlyvisible --name '^PRUM - Vorlo' | head -n 1)" ||
        fail "the main window did not appear"
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$win" | grep -E '^(WIDTH|HEIGHT)=')"
    [ "$WIDTH" = 1036 ] || fail "main window width $WIDTH"
    menu=$((HEIGHT - 653))  # the menu bar sits above the client area
    [ "$menu" -gt 10 ] || fail "main window height $HEIGHT leaves no room for the menu bar"
}

app_running() { kill -0 "$app_pid" 2>/dev/null; }
app_ended() { ! app_running; }

focus_main() {
    xdotool windowactivate --sync "$win" 2>/dev/null || true
}

# click X Y: a left click at client-area pixels of the main window, the pointer resting a
# moment over the control first as a hand would.
click() {
    xdotool mousemove --window "$win" "$1" $(($2 + menu)) sleep 0.2 click 1
}

# box_holds TEXT: the focused box's whole text, copied out, is TEXT.
box_holds() {
    xdotool key ctrl+a ctrl+c
    timeout 5 xclip -selection clipboard -o -t UTF8_STRING >"$work/typed" 2>/dev/null &&
        [ "$(cat "$work/typed")" = "$1" ]
}

# typed TEXT: types TEXT over the whole text of the focused box, once; true when the box
# then holds it. Under load xdotool may lose an accented letter (it remaps a key for one the
# keyboard lacks), so the callers type again when it is false.
typed() {
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    wait_for 3 box_holds "$1"
}

# type_here TEXT: replaces the whole text of the focused box with TEXT.
type_here() {
    local attempt
    for attempt in 1 2 3 4 5; do
        if typed "$1"; then
            return 0
        fi
        echo "  (typing '$1' gave '$(cat "$work/typed")', attempt $attempt)" >&2
    done
    fail "could not type '$1'"
}

# type_into X Y TEXT: clicks into a text box of the main window and types TEXT over it,
# clicking again before each new try. The main window is activated first only when another
# window (the journal's) has the focus, so that typing into the main window alone goes as
# the real-window test always did it.
type_into() {
    local attempt
    for attempt in 1 2 3 4 5; do
        if [ "$(xdotool getactivewindow 2>/dev/null)" != "$win" ]; then
            focus_main
        fi
        click "$1" "$2"
        if typed "$3"; then
            return 0
        fi
        echo "  (typing '$3' gave '$(cat "$work/typed")', attempt $attempt)" >&2
    done
    fail "could not type '$3' into the box at $1,$2"
}

click_ref() { type_into 174 256 "$1"; }
click_propal() { type_into 860 256 "$1"; }
click_init() { click 84 628; }
click_record() { click 236 628; }
click_copy() { click 464 628; }
click_generate() { click 808 628; }
click_quit() { click 948 628; }
click_erase() { click 884 484; }

clipboard_is() {
    timeout 5 xclip -selection clipboard -o -t UTF8_STRING >"$work/clipboard" 2>/dev/null &&
        cmp -s "$1" "$work/clipboard"
}

# expect_clipboard FILE WHAT: the clipboard must come to hold exactly the bytes of FILE.
expect_clipboard() {
    if ! wait_for 10 clipboard_is "$1"; then
        echo "--- expected:" >&2
        od -c "$1" >&2
        echo "--- clipboard:" >&2
        od -c "$work/clipboard" >&2
        fail "the clipboard does not hold the expected $2"
    fi
}
