#!/usr/bin/env bash
# Drives the real Vorlo window on its own Xvfb under the openbox window manager: the frame's
# place, two games (the first of three turns by two players named in the journal window, one
# taken back with its shortcut), the forum message and the scoreboard read from the real
# clipboard, a save, the page and the journal found again at the next start, a thread read
# from a forum on the loopback address and played, the colour chooser in French, the
# middle-button paste, and how the program ends.
# Usage: real_window_test.sh PATH_TO_VORLO
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
binary="$(realpath "$1")"
work="$(mktemp -d)"
source "$here/desktop_session.sh"

app_running() { kill -0 "$app_pid" 2>/dev/null; }
app_ended() { ! app_running; }

# expect_end: the program must end by itself, with status 0.
expect_end() {
    wait_for 20 app_ended || fail "the program is still running"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# frame_place: "left,top" of the main window's outer frame on the screen, title bar included.
frame_place() {
    local x y left top extents
    x="$(xwininfo -id "$win" | sed -n 's/^ *Absolute upper-left X: *//p')"
    y="$(xwininfo -id "$win" | sed -n 's/^ *Absolute upper-left Y: *//p')"
    # _NET_FRAME_EXTENTS: left, right, top, bottom
    extents="$(xprop -id "$win" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')"
    IFS=, read -r left _ top _ <<<"${extents:-0,0,0,0}"
    echo "$((x - left)),$((y - top))"
}
frame_at_13() { [ "$(frame_place)" = 13,13 ]; }

# start_placed FOLDER: starts the program; its frame must stand 13 pixels from the screen's
# left and top.
start_placed() {
    start_app "$1"
    wait_for 20 frame_at_13 || fail "main window frame at $(frame_place)"
}

clipboard_is() {
    timeout 5 xclip -selection clipboard -o -t UTF8_STRING >"$work/clipboard" 2>/dev/null &&
        cmp -s "$1" "$work/clipboard"
}

# expect_clipboard WHAT LINE...: the clipboard must come to hold exactly the LINEs, each ended
# by one carriage return.
expect_clipboard() {
    local what="$1"
    shift
    printf '%s\r' "$@" >"$work/expected"
    if ! wait_for 20 clipboard_is "$work/expected"; then
        echo "--- expected:" >&2
        od -c "$work/expected" >&2
        echo "--- clipboard:" >&2
        od -c "$work/clipboard" >&2
        fail "the clipboard does not hold the expected $what"
    fi
}

# expect_message FOUND FOUND_COUNT REMAINING_COUNT LETTERS: the message "Copier" must give.
expect_message() {
    offer clipboard "$mark"
    click bt_copier
    expect_clipboard "forum message" "[font=Courier New][size=5]$1[/size][/font]" \
        "[b][color=#FF0000]$2[/color][/b] lettre(s) trouvée(s). " \
        "[b][color=#FF0000]$3[/color][/b] lettres à placer " \
        "[font=Courier New][size=5][color=#4132F5]$4[/color][/size][/font]"
}

# expect_scores LINE...: the post "Copier le classement" must give after its title.
expect_scores() {
    offer clipboard "$mark"
    shortcut ctrl+alt+c
    expect_clipboard "scoreboard post" "[b][color=#FF0000]Classement[/color][/b]" "$@"
}

# focused_text: the whole text of the box that has the focus, copied out through the clipboard
# (which holds a mark first, so that only the program's own copy is read).
mark=$'\x01mark'
copied() { ! selection_is clipboard "$mark"; }
focused_text() {
    offer clipboard "$mark"
    xdotool key --clearmodifiers ctrl+a ctrl+c
    wait_for 5 copied || true
    timeout 5 xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null
}

# box_holds NAME TEXT: the text box NAME, clicked, holds TEXT.
box_holds() {
    click "$1"
    local held
    held="$(focused_text)"
    [ "$held" = "$2" ] || fail "the box $1 holds '$held' instead of '$2'"
}

# play NAME TEXT: pastes TEXT into the box NAME and checks that it holds it.
play() {
    paste_into "$1" "$2"
    box_holds "$1" "$2"
}


# shortcut KEYS: a key chord given to the main window.
shortcut() {
    activate "$win"
    xdotool key --clearmodifiers "$1"
}

journal=""
journal_shown() {
    journal="$(xdotool search --onlyvisible --name '^Journal de la partie$' 2>/dev/null |
        head -n 1)" && [ -n "$journal" ]
}

# name_player NAME: the player of the next proposal, pasted into the journal window, which
# opens on that field.
name_player() {
    shortcut ctrl+alt+j
    wait_for 20 journal_shown || fail "the journal window did not open"
    # Beside the main window, so that neither hides the other.
    xdotool windowmove --sync "$journal" 1100 40
    activate "$journal"
    paste_text "$1"
    local held
    held="$(focused_text)"
    [ "$held" = "$1" ] || fail "the player's field holds '$held' instead of '$1'"
    activate "$win"
}

thread_window=""
thread_shown() {
    thread_window="$(xdotool search --onlyvisible --name '^Lire le fil$' 2>/dev/null |
        head -n 1)" && [ -n "$thread_window" ]
}

# A forum on the loopback address only, serving one page of a phpBB thread.
forum_port=""
forum_ready() {
    forum_port="$(sed -n 's/^Serving HTTP on 127\.0\.0\.1 port \([0-9]*\).*/\1/p' \
        "$work/forum.log")" && [ -n "$forum_port" ]
}
start_forum() {
    mkdir "$work/forum"
    cp "$here/thread_page.html" "$work/forum/viewtopic.html"
    python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$work/forum" \
        >"$work/forum.log" 2>&1 &
    forum_pid=$!
    wait_for 20 forum_ready || fail "the local forum did not start"
}

chooser_shown() { xdotool search --onlyvisible --name '^Sélectionner une couleur$' >/dev/null; }
chooser_gone() { ! chooser_shown; }
question() { xdotool search --all --onlyvisible --pid "$app_pid" --name '^vorlo$' 2>/dev/null; }
question_shown() { [ -n "$(question)" ]; }
question_gone() { ! question_shown; }
question_active() {
    local shown
    shown="$(question)" && [ -n "$shown" ] && has_focus "$shown"
}

# answer_question KEY: waits for the Yes/No question to have the focus and answers with KEY.
answer_question() {
    wait_for 20 question_active || fail "no question was asked"
    xdotool key "$1"
}

# expect_still_running: after "Non" the question goes away and the window stays.
expect_still_running() {
    wait_for 20 question_gone || fail "the question is still shown"
    app_running || fail "the program ended after the answer Non"
    xdotool search --onlyvisible --name '^PRUM - Vorlo' >/dev/null || fail "the window went away"
}

start_desktop 1600x1000

echo "First start: two games, three turns by two players, one taken back, a save"
first="$work/first"
mkdir "$first"
cp "$binary" "$first/vorlo"
start_placed "$first"
wait_for 20 test -s "$first/vorlo.mdb" || fail "vorlo.mdb was not created in $first"
echo "  ok: the frame stands at 13,13"

play ref "le chat dort"
click init
name_player Alice
play propal "la chat dors"
click Générer
expect_message "L* CHAT DOR*" 8 2 "E T "
echo "  ok: a turn played, the forum message read from the clipboard"
name_player Bob
play propal "lu chat dort"
click Générer
play propal "le chat dort"
click Générer
shortcut ctrl+alt+z
expect_scores "1. [b]Alice[/b] : 8 lettres" "2. [b]Bob[/b] : 1 lettre"
expect_message "L* CHAT DORT" 1 1 "E "
echo "  ok: the last of three turns taken back by its shortcut, scoreboard and message"

play ref "un élève dort"
click init
play propal "un élevé dors"
click Générer
expect_message "UN ÉL*V* DOR*" 8 3 "E T È "
echo "  ok: un élève dort"
click record
click quit
expect_end
echo "  ok: saved, then Quitter ended the program with status 0"

echo "Second start, on the saved file: page and journal back; choosers, paste, quitting"
second="$work/second"
mkdir "$second"
cp "$binary" "$second/vorlo"
cp "$first/vorlo.mdb" "$second/"
start_placed "$second"
expect_message "UN ÉL*V* DOR*" 0 3 "E T È "
expect_scores "1. [b]Bob[/b] : 8 lettres"
shortcut ctrl+alt+z
shortcut ctrl+alt+z
expect_scores "1. [b]Alice[/b] : 8 lettres" "2. [b]Bob[/b] : 1 lettre"
expect_message "L* CHAT DORT" 1 1 "E "
echo "  ok: the page, then the first game by undo, came back after the restart"

# "Lire le fil…" reads the thread (the master's own post skipped) and plays Zoé's proposal.
start_forum
shortcut ctrl+alt+l
wait_for 20 thread_shown || fail "the thread window did not open"
xdotool windowmove --sync "$thread_window" 700 40
activate "$thread_window"
paste_text "http://127.0.0.1:$forum_port/viewtopic.html"
xdotool key --clearmodifiers Tab
paste_text "Maître"
xdotool key --clearmodifiers alt+l
wait_for 20 grep -q 'GET /viewtopic.html' "$work/forum.log" || fail "the thread was not read"
sleep 1  # the page, already served, is parsed on a thread of its own
xdotool key --clearmodifiers alt+j
activate "$win"
offer clipboard "$mark"
click bt_copier
expect_clipboard "won game's message" "[font=Courier New][size=5]LE CHAT DORT[/size][/font]" "" \
    "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]"
echo "  ok: a thread read from the local forum and played"

# The colour chooser speaks French; Escape cancels it. The menu "Couleurs  et  Police" is the
# second of the menu bar, right after "Fichier".
activate "$win"
xdotool mousemove --window "$win" 120 $((menu / 2)) sleep 0.2 click 1
xdotool sleep 0.5 key Down Return
wait_for 20 chooser_shown || fail "no colour chooser titled in French"
xdotool key Escape
wait_for 20 chooser_gone || fail "the colour chooser did not close"
echo "  ok: the colour chooser is titled in French"

# A middle-button paste into the emptied editor goes through the question-mark scan.
click Command1
offer primary "le ?chat"
click propal 2
box_holds propal "le chat"
echo "  ok: the middle-button paste lost its glued question mark"

click quit
answer_question Escape
expect_still_running
echo "  ok: Quitter, Non: still running"
python3 "$here/close_request.py" "$win" || fail "could not send WM_DELETE_WINDOW"
answer_question Escape
expect_still_running
echo "  ok: close request, Non: still running"
python3 "$here/close_request.py" "$win" || fail "could not send WM_DELETE_WINDOW"
answer_question Return
expect_end
echo "  ok: close request, Oui: ended with status 0"

echo "PASS"
