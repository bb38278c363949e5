#!/usr/bin/env bash
# Plays a game in the real Vorlo window under Xvfb and openbox: three turns by two players
# named in the journal window, one turn taken back with its shortcut, then the scoreboard
# post and the forum message are read from the real clipboard with xclip, and the journal
# comes back after a save and a restart. Usage: journal_window_test.sh PATH_TO_VORLO
set -euo pipefail
export LC_ALL=C.UTF-8

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
binary="$(realpath "$1")"
work="$(mktemp -d)"
source "$here/window_session.sh"
source "$here/main_window_controls.sh"

start_desktop() {
    start_xvfb 1600x1000
    start_wm
}

# shortcut KEYS: a key chord given to the main window.
shortcut() {
    focus_main
    xdotool key --clearmodifiers "$1"
}

journal=""
# name_player NAME: the player of the next proposal, typed into the journal window, which
# opens on that field.
name_player() {
    shortcut ctrl+alt+j
    if [ -z "$journal" ]; then
        journal="$(timeout 30 xdotool search --sync --onlyvisible --name '^Journal de la partie$' |
            head -n 1)" || fail "the journal window did not open"
        # Beside the main window, so that neither hides the other.
        xdotool windowmove --sync "$journal" 1100 40 || true
    fi
    xdotool windowactivate --sync "$journal" 2>/dev/null || true
    type_here "$1"
}

start_desktop

echo "A game of three turns by two players, one taken back"
folder="$work/game"
mkdir "$folder"
cp "$binary" "$folder/vorlo"
start_app "$folder"

click_ref "le chat dort"
click_init
name_player "Alice"
click_propal "la chat dors"
click_generate
name_player "Bob"
click_propal "lu chat dort"
click_generate
click_propal "le chat dort"
click_generate
shortcut ctrl+alt+z
echo "  ok: three turns played, the last one taken back"

# The scoreboard post, each line ended by one carriage return.
printf '%s\r' "[b][color=#FF0000]Classement[/color][/b]" "1. [b]Alice[/b] : 8 lettres" \
    "2. [b]Bob[/b] : 1 lettre" >"$work/scores"
shortcut ctrl+alt+c
expect_clipboard "$work/scores" "scoreboard post"
echo "  ok: Copier le classement"

# "Copier" shows the page as it was after the second turn.
printf '%s\r' "[font=Courier New][size=5]L* CHAT DORT[/size][/font]" \
    "[b][color=#FF0000]1[/color][/b] lettre(s) trouvée(s). " \
    "[b][color=#FF0000]1[/color][/b] lettres à placer " \
    "[font=Courier New][size=5][color=#4132F5]E [/color][/size][/font]" >"$work/message"
focus_main
click_copy
expect_clipboard "$work/message" "forum message"
echo "  ok: the page is back as after the second turn"

click_record
click_quit
wait_for 10 app_ended || fail "the program did not end after a save"
wait "$app_pid" || fail "the program ended with an error"
app_pid=""

echo "The journal comes back at the next start"
journal=""
start_app "$folder"
echo "x" | xclip -selection clipboard
shortcut ctrl+alt+c
expect_clipboard "$work/scores" "scoreboard post after a restart"
echo "  ok: the scoreboard is the same after a restart"

echo "PASS"
