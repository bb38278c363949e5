#!/usr/bin/env bash
# Drives the real Vorlo window on its own Xvfb under the openbox window manager with
# xdotool, reads the forum message back with xclip and checks how the program ends.
# Usage: real_window_test.sh PATH_TO_VORLO
set -euo pipefail
# xdotool types accented letters only under a UTF-8 locale; a fresh machine may have none set.
export LC_ALL=C.UTF-8

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
binary="$(realpath "$1")"
work="$(mktemp -d)"
source "$here/window_session.sh"
source "$here/main_window_controls.sh"

# start_desktop: the screen and the window manager, with a French keyboard: it has the
# accented letters the test types, so xdotool need not remap a key for each of them (a
# remapped key may reach the program before its new meaning).
start_desktop() {
    start_xvfb 1100x720
    setxkbmap -layout fr || fail "could not set a French keyboard"
    start_wm
}

# frame_place WINDOW: "left,top" of the window's outer frame on the screen.
frame_place() {
    local x y extents
    x="$(xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left X: *//p')"
    y="$(xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left Y: *//p')"
    # _NET_FRAME_EXTENTS: left, right, top, bottom
    extents="$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')"
    [ -n "$extents" ] || extents="0,0,0,0"
    IFS=, read -r left _ top _ <<<"$extents"
    echo "$((x - left)),$((y - top))"
}
frame_at() { [ "$(frame_place "$1")" = "$2" ]; }

# start_placed_app FOLDER: starts the program and checks that the outer frame of its window,
# title bar included, starts 13 pixels from the screen's left and top.
start_placed_app() {
    start_app "$1"
    wait_for 10 frame_at "$win" 13,13 || fail "main window frame at $(frame_place "$win")"
}

# forum_message FILE FOUND FOUND_COUNT REMAINING_COUNT LETTERS: the expected message,
# each line ended by one carriage return.
forum_message() {
    printf '%s\r' "[font=Courier New][size=5]$2[/size][/font]" \
        "[b][color=#FF0000]$3[/color][/b] lettre(s) trouvée(s). " \
        "[b][color=#FF0000]$4[/color][/b] lettres à placer " \
        "[font=Courier New][size=5][color=#4132F5]$5[/color][/size][/font]" >"$1"
}

# expect_end: the program must end by itself, with status 0.
expect_end() {
    wait_for 10 app_ended || fail "the program is still running"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

question_window() {
    xdotool search --all --onlyvisible --pid "$app_pid" --name '^vorlo' 2>/dev/null | head -n 1
}
question_shown() { [ -n "$(question_window)" ]; }
question_gone() { ! question_shown; }

# answer_question KEY: waits for the Yes/No question and answers it with KEY.
answer_question() {
    wait_for 10 question_shown || fail "no question was asked"
    xdotool key "$1"
}

# expect_still_running: after "Non" the question goes away and the window stays.
expect_still_running() {
    wait_for 10 question_gone || fail "the question is still shown"
    sleep 1
    app_running || fail "the program ended after the answer Non"
    xdotool search --onlyvisible --name '^PRUM - Vorlo' >/dev/null || fail "the window went away"
}

start_desktop

echo "Scenario 1: two games, copy, save and quit"
first="$work/first"
mkdir "$first"
cp "$binary" "$first/vorlo"
start_placed_app "$first"
wait_for 10 test -s "$first/vorlo.mdb" || fail "vorlo.mdb was not created in $first"

click_ref "le chat dort"
click_init
click_propal "la chat dors"
click_generate
click_copy
forum_message "$work/expected1" "L* CHAT DOR*" 8 2 "E T "
expect_clipboard "$work/expected1" "forum message"
echo "  ok: le chat dort"

click_ref "un élève dort"
click_init
click_propal "un élevé dors"
click_generate
click_copy
forum_message "$work/expected2" "UN ÉL*V* DOR*" 8 3 "E T È "
expect_clipboard "$work/expected2" "forum message"
echo "  ok: un élève dort"

click_record
click_quit
expect_end
echo "  ok: saved, then Quitter ended the program with status 0"

echo "Scenario 2: the saved page comes back; unsaved page, Non, close request"
second="$work/second"
mkdir "$second"
cp "$binary" "$first/vorlo.mdb" "$second/"
start_placed_app "$second"
click_copy
forum_message "$work/expected3" "UN ÉL*V* DOR*" 0 3 "E T È "
expect_clipboard "$work/expected3" "forum message"
echo "  ok: the stored page was shown again"

# The colour chooser speaks French; Escape cancels it. (A window that closes while xdotool
# searches makes it fail, so the search is only repeated.)
french_chooser_shown() {
    xdotool search --onlyvisible --name '^Sélectionner une couleur$' >/dev/null 2>&1
}
french_chooser_gone() { ! french_chooser_shown; }
open_colour_chooser() {
    local attempt
    for attempt in 1 2 3; do
        xdotool mousemove --window "$win" 120 $((menu / 2)) sleep 0.2 click 1
        xdotool sleep 0.5 key Down Return
        if wait_for 10 french_chooser_shown; then
            return 0
        fi
        xdotool key Escape
    done
    fail "no colour chooser titled in French"
}
open_colour_chooser
xdotool sleep 0.5 key Escape
wait_for 10 french_chooser_gone || fail "the colour chooser did not close"
echo "  ok: the colour chooser is titled in French"

# A middle-button paste into the emptied editor goes through the question-mark scan.
click_erase
printf '%s' "le ?chat" | xclip -selection primary
xdotool mousemove --window "$win" 860 $((256 + menu)) sleep 0.2 click 2
wait_for 5 box_holds "le chat" || fail "the middle-button paste gave '$(cat "$work/typed")'"
echo "  ok: the middle-button paste lost its glued question mark"

click_propal "un eleve dort"
click_quit
answer_question Escape
expect_still_running
echo "  ok: Quitter, Non: still running"

if command -v python3 >/dev/null; then
    python3 "$here/close_request.py" "$win" || fail "could not send WM_DELETE_WINDOW"
    answer_question Escape
    expect_still_running
    echo "  ok: close request, Non: still running"
    python3 "$here/close_request.py" "$win" || fail "could not send WM_DELETE_WINDOW"
    answer_question Return
    expect_end
    echo "  ok: close request, Oui: ended with status 0"
else
    echo "  SKIP: no python3 to send WM_DELETE_WINDOW"
    click_quit
    answer_question Return
    expect_end
    echo "  ok: Quitter, Oui: ended with status 0"
fi

echo "PASS"
