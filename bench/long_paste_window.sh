#!/usr/bin/env bash
# How long the real window leaves the window manager without an answer when a very long text
# comes in: under Xvfb and openbox, xclip holds a text copied from a forum page (lines of
# about twelve words, CR LF line ends, some "?" glued to words) on the clipboard and on the
# primary selection, and the empty proposal editor gets it by the right button, by Ctrl+V and
# by the middle button. Right after each, the window is asked to close (WM_DELETE_WINDOW, as
# the close box sends it); the program answers with its French box (the page is not saved),
# and the time until that box shows is how long the window left the desktop without an
# answer. The box is then dismissed by Escape (its "No" when it asks whether to quit).
# Usage: bench/long_paste_window.sh PATH_TO_VORLO [SIZE_IN_BYTES]   (default 10000000)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
binary="$(realpath "$1")"
size="${2:-10000000}"
work="$(mktemp -d)"
# shellcheck source=../tests/window/desktop_session.sh
source "$here/../tests/window/desktop_session.sh"

# The forum text, `size` bytes of it.
forum_text() {
    python3 - "$size" <<'PY'
import sys
size = int(sys.argv[1])
line = "Le chat dort sur le tapis? à côté de l'âtre, mais où est-il passé?? Bonne question\r\n"
data = (line * (size // len(line.encode()) + 1)).encode()[:size]
sys.stdout.buffer.write(data.decode("utf-8", "ignore").encode())
PY
}

# offer_file SELECTION FILE: xclip holds the file's text on the selection.
offer_file() {
    xclip -selection "$1" -i -t UTF8_STRING <"$2" >/dev/null 2>&1
    sleep 1
}

box_shown() { xdotool search --onlyvisible --name '^vorlo$' >/dev/null 2>&1; }

# answer_after LABEL COMMAND...: runs COMMAND, then times the window's answer to a close
# request (at most 600 s).
answer_after() {
    local label="$1" start end box
    shift
    "$@"
    start=$(date +%s%N)
    python3 "$here/../tests/window/close_request.py" "$win"
    if ! wait_for 600 box_shown; then
        echo "$label: no answer within 600 s"
        return
    fi
    end=$(date +%s%N)
    echo "$label: answered in $(((end - start) / 1000000)) ms"
    box="$(xdotool search --onlyvisible --name '^vorlo$' | head -n 1)"
    activate "$box"
    xdotool key --clearmodifiers Escape  # "No" to the question, or "OK"
    wait_for 20 eval '! box_shown' || fail "the box stays"
    activate "$win"
}

empty_and_focus() {
    xdotool key --clearmodifiers ctrl+a BackSpace
    sleep 0.5
}

start_desktop 1280x1024
mkdir "$work/app"
cp "$binary" "$work/app/vorlo"
start_app "$work/app"
forum_text >"$work/forum.txt"
echo "text: $(wc -c <"$work/forum.txt") bytes"

answer_after "nothing pasted" true
offer_file clipboard "$work/forum.txt"
click propal
empty_and_focus
answer_after "right button on the empty editor" click propal 3

empty_and_focus
answer_after "Ctrl+V" xdotool key --clearmodifiers ctrl+v

empty_and_focus
offer_file primary "$work/forum.txt"
answer_after "middle button" click propal 2
echo "editor: $(xdotool getwindowname "$win")"
