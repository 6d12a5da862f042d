#!/usr/bin/env bash
# A paste from another program into the built editor on a virtual X display: a text far
# longer than a field holds, handed over in pieces as large texts are, with characters
# Windows-1252 lacks. The field takes what fits, the missing characters as "?", and OK
# stores its first 254 characters.
#   paste_test.sh EDITOR TRANSLATION_FILE_TOOL OFFER_CLIPBOARD   (on an X display)
set -euo pipefail
editor=$1
tool=$2
offer=$3
offer_pid=""
# shellcheck source=tests/desktop/one_editor.sh
. "$(dirname "$0")/one_editor.sh"
stop() {
    [ -n "$editor_pid" ] && kill -KILL "$editor_pid" 2>/dev/null
    [ -n "$offer_pid" ] && kill "$offer_pid" 2>/dev/null
    return 0
}

# "café Ā 😀 " and then 40,000 x's.
"$offer" "$(printf 'caf\xc3\xa9 \xc4\x80 \xf0\x9f\x98\x80 ')" 40000 > "$work/offer.out" &
offer_pid=$!
for _ in $(seq 50); do grep -q ready "$work/offer.out" && break; sleep 0.1; done
grep -q ready "$work/offer.out" || fail "nothing owns the clipboard"

start_editor
form=$(form_window) || fail "the form did not appear"
sleep 0.5
click_control 8 195 415 20    # field 8, the reply text
xdotool key ctrl+v
sleep 1
click_control 700 321 70 20   # OK: stores and ends
editor_end
[ "$status" -eq 0 ] || fail "the editor ended with exit status $status"
expected="replyText: \"caf$(printf '\xc3\xa9') ? ? $(printf 'x%.0s' $(seq 245))\""
stored=$("$tool" export "$work/TranslationFile.dat" | grep '^replyText: ' | tail -1)
[ "$stored" = "$expected" ] || fail "the pasted text was stored as: ${stored:0:80}"
rm -rf "$work"
echo "PASS: a 40,000-character paste in pieces filled the field, unknown characters as ?"
