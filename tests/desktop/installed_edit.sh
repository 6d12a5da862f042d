# shellcheck shell=bash disable=SC2154  # $tool is the caller's
# Sourced by the package tests, after form_driver.sh: what a person does first with an
# installed editor. It is started on the sample dictionary and shows its last entry; the
# person adds a word to that entry's key words and presses OK, which stores the entry and
# ends the program. Needs fail (message, then exit) and $tool (translation-file).
added_word=" installed"

# The key words of a dictionary's last entry, as translation-file writes them.
last_key_words() {
    "$tool" export "$1" | sed -n 's/^keyWords: "\(.*\)"$/\1/p' | tail -1
}

# The editor is running (process $1); SHOT is where the screen goes before OK.
add_word_and_end() {  # editor pid, screenshot
    local pid=$1 shot=$2
    # shellcheck disable=SC2034  # $form is read by form_driver.sh's click_control
    form=$(form_window) || fail "the installed editor's form did not appear"
    sleep 0.5
    click_control 8 147 415 20  # field 6, the key words, after their text
    xdotool type --delay 30 -- "$added_word"
    sleep 0.3
    import -window root "$shot" || fail "no screenshot"
    click_control 700 321 70 20  # OK
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "the installed editor is still running after OK"
    wait "$pid" || fail "the installed editor ended with exit code $?"
}

# The edit is in DICTIONARY: its last entry's key words are SAMPLE's with the word added.
edit_stored_in() {  # dictionary, sample
    local expected
    expected="$(last_key_words "$2")$added_word"
    [ "$(last_key_words "$1")" = "$expected" ] ||
        fail "$1 does not hold the edit: its last key words are \"$(last_key_words "$1")\", not \"$expected\""
}
