#!/usr/bin/env bash
# The real window under Xvfb and openbox: its designed client size, its frame at 13,13, no
# maximising offered to the window manager; texts pasted reach the boxes and the journal's
# player field, accents included; Générer plays; Copier and the scoreboard's keys fill the
# clipboard; the journal and thread windows open; Enregistrer then Quitter end it.
# Usage: real_window_test.sh PATH_TO_VORLO
set -euo pipefail
work="$(mktemp -d)"
source "$(dirname "${BASH_SOURCE[0]}")/desktop_session.sh"

frame_at_13() { # the main window's outer frame, title bar included
    local x y left top
    x="$(xwininfo -id "$win" | sed -n 's/^ *Absolute upper-left X: *//p')"
    y="$(xwininfo -id "$win" | sed -n 's/^ *Absolute upper-left Y: *//p')"
    IFS=, read -r left _ top _ <<<"$(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= *//;s/ //g')"
    [ "$((x - left)),$((y - top))" = 13,13 ]
}

clipboard_is() {
    timeout 5 xclip -selection clipboard -o -t UTF8_STRING >"$work/clipboard" 2>/dev/null &&
        cmp -s "$work/expected" "$work/clipboard"
}

# copied BUTTON_OR_KEYS LINE...: once the button is clicked or the keys given, the clipboard,
# emptied first, comes to hold the LINEs, each ended by a carriage return.
copied() {
    offer $'\x01mark'
    case "$1" in
        bt_*) click "$1" ;;
        *) activate "$win" && xdotool key --clearmodifiers "$1" ;;
    esac
    shift
    printf '%s\r' "$@" >"$work/expected"
    wait_for 20 clipboard_is || fail "the clipboard holds $(od -c "$work/clipboard")"
}

shown() { side="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)"; }
opens() { # KEYS TITLE: the keys given to the main window open the window TITLE, focused
    activate "$win"
    xdotool key --clearmodifiers "$1"
    wait_for 20 shown "$2" || fail "the window $2 did not open"
    activate "$side"
}

start_desktop 1600x1000
mkdir "$work/app"
cp "$1" "$work/app/vorlo"
start_app "$work/app"
wait_for 20 frame_at_13 || fail "the main window's frame is not at 13,13"
actions="$(xprop -id "$win" _NET_WM_ALLOWED_ACTIONS)"
[[ "$actions" == *_NET_WM_ACTION_CLOSE* && "$actions" != *MAXIMIZE* ]] ||
    fail "the window manager offers: $actions"
paste_into ref "un élève dort"
click init
opens ctrl+alt+j "Journal de la partie"
paste_text "Zoé" # the journal opens on the next player's field
activate "$win"
paste_into propal "un élevé dors"
click Générer
copied bt_copier "[font=Courier New][size=5]UN ÉL*V* DOR*[/size][/font]" \
    "[b][color=#FF0000]8[/color][/b] lettre(s) trouvée(s). " \
    "[b][color=#FF0000]3[/color][/b] lettres à placer " \
    "[font=Courier New][size=5][color=#4132F5]E T È [/color][/size][/font]"
copied ctrl+alt+c "[b][color=#FF0000]Classement[/color][/b]" "1. [b]Zoé[/b] : 8 lettres"
opens ctrl+alt+l "Lire le fil"
activate "$win"
click record
click quit
wait_for 20 eval '! kill -0 "$app_pid" 2>/dev/null' || fail "the program is still running"
wait "$app_pid" || fail "the program ended with status $?"
app_pid=""
echo "PASS"
