#!/usr/bin/env bash
# The Windows installers as a user gets them:
#   tests/desktop/windows_installer_test.sh SETUP64.exe SETUP32.exe EDITOR32.exe SAMPLE.dat TRANSLATION_FILE_TOOL [SCREENSHOT_DIR]
# The 32-bit installer cannot run here (the kernel refuses 32-bit programs), so it is
# opened: a 32-bit installer holding the 32-bit editor EDITOR32.exe and the sample
# dictionary. The 64-bit one runs silently (/S) under wine64 in a fresh prefix; the
# installed editor, started in its folder, shows the form and stores an edit in the
# dictionary the installer put beside it, and goes through the desktop scenario. Installing
# again keeps that dictionary; the uninstaller removes the program, its shortcut and its
# registry keys, and leaves the dictionary. Exits 0 after SKIPPED when Wine cannot start a
# program here.
set -euo pipefail

setup64=$(realpath "$1")
setup32=$(realpath "$2")
editor32=$(realpath "$3")
sample=$(realpath "$4")
tool=$(realpath "$5")
shots=$(realpath -m "${6:-$(dirname "$setup64")}")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/windows-installer-test.XXXXXX)
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { rm -rf "$work"; echo "SKIPPED: the Windows installer was not run under Wine: $*"; exit 0; }

echo "-- the 32-bit installer, opened"
file "$setup32" | grep -q 'PE32 executable (GUI) Intel 80386.*Nullsoft Installer' || fail "$setup32 is no 32-bit NSIS installer"
7z x -y -o"$work/setup32" "$setup32" translation-editor.exe TranslationFile.dat >/dev/null || fail "7z could not open $setup32"
cmp -s "$work/setup32/translation-editor.exe" "$editor32" || fail "the 32-bit installer does not hold $editor32"
cmp -s "$work/setup32/TranslationFile.dat" "$sample" || fail "the 32-bit installer does not hold the sample dictionary"
7z l "$setup32" | grep -q ' uninstall\.exe$' || fail "the 32-bit installer writes no uninstaller"

echo "-- the 64-bit installer, run under Wine"
file "$setup64" | grep -q 'PE32+ executable (GUI) x86-64' || fail "$setup64 is no 64-bit program"
WINEPREFIX=$work/wineprefix
# shellcheck source=tests/desktop/wine_prefix.sh
. "$here/wine_prefix.sh"
trap 'cleanup; rm -rf "$work"' EXIT
timeout 120 "$wine" "$setup64" /S || fail "the installer ended with exit code $?"
folder_in_windows=$("$wine" reg query 'HKCU\Software\Translation Editor' /v InstallDir | sed -n 's/.*REG_SZ *//p' | tr -d '\r')
[ -n "$folder_in_windows" ] || fail "the installer did not record its folder"
folder=$(realpath "$("$wine" winepath -u "$folder_in_windows" 2>/dev/null | tr -d '\r')")
case "$folder" in "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/*) ;; *) fail "installed into $folder, not the user's programs folder" ;; esac
if [ ! -f "$folder/translation-editor.exe" ] || [ ! -f "$folder/uninstall.exe" ]; then
    fail "the installer put no editor or uninstaller into $folder"
fi
cmp -s "$folder/TranslationFile.dat" "$sample" || fail "the installer put no sample dictionary beside the editor"
shortcut=$(find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/Translation Editor.lnk')
[ -n "$shortcut" ] || fail "no Start-menu shortcut"

# shellcheck source=tests/desktop/form_driver.sh
. "$here/form_driver.sh"
# shellcheck source=tests/desktop/installed_edit.sh
. "$here/installed_edit.sh"
(cd "$folder" && exec "$wine" ./translation-editor.exe) &
mkdir -p "$shots"
add_word_and_end $! "$shots/wine-installed-form.png"
edit_stored_in "$folder/TranslationFile.dat" "$sample"
cp "$folder/TranslationFile.dat" "$work/edited.dat"
EDITOR_LAUNCH=$wine "$here/desktop_test.sh" "$folder/translation-editor.exe" "$tool" || fail "the desktop scenario"

timeout 120 "$wine" "$setup64" /S || fail "the second install ended with exit code $?"
cmp -s "$folder/TranslationFile.dat" "$work/edited.dat" || fail "installing again wrote over the user's dictionary"

echo "-- uninstalled"
# The uninstaller runs from a copy of itself and returns at once; it is done when its
# files are gone.
timeout 60 "$wine" "$folder/uninstall.exe" /S || fail "the uninstaller ended with exit code $?"
for _ in $(seq 100); do [ -e "$folder/uninstall.exe" ] || break; sleep 0.2; done
if [ -e "$folder/uninstall.exe" ] || [ -e "$folder/translation-editor.exe" ]; then
    fail "the uninstaller left the program"
fi
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu shortcut"
"$wine" reg query 'HKCU\Software\Translation Editor' >/dev/null 2>&1 && fail "the uninstaller left its registry key"
cmp -s "$folder/TranslationFile.dat" "$work/edited.dat" || fail "the uninstaller did not leave the user's dictionary as it was"
echo "PASS: the 32-bit installer holds the 32-bit editor; the 64-bit one installs, the editor stores an edit and goes through the scenario, and the uninstaller leaves the dictionary"
