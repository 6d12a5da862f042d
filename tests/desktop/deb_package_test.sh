#!/usr/bin/env bash
# The Debian package as a user gets it:
#   tests/desktop/deb_package_test.sh PACKAGE.deb [SCREENSHOT_DIR]
# Debian's checks (lintian with no errors, the desktop entry, the AppStream metadata), then
# dpkg installs it into a root of its own (the machine's own packages are left alone; the
# programs run from there on the machine's libraries). A user who is not root starts the
# installed launcher on an X display of our own, adds a word to an entry and presses OK:
# the edit is in that user's own dictionary, the package's files are as dpkg installed
# them, and the form's window icon is the package's 32 x 32 icon. The manual page renders,
# the bash completion completes. An upgrade and then the package's removal leave the
# user's dictionary as it was. Needs root (dpkg --root, setpriv); without it, SKIPPED.
set -euo pipefail

deb=$(realpath "$1")
shots=$(realpath -m "${2:-$(dirname "$deb")}")
here=$(cd "$(dirname "$0")" && pwd)
[ "$(id -u)" -eq 0 ] || { echo "SKIPPED: installing the package into a root and switching users needs root"; exit 0; }

work=$(mktemp -d /tmp/deb-package-test.XXXXXX)
chmod 755 "$work"
editor_pid=""
# shellcheck source=tests/desktop/own_display.sh
. "$here/own_display.sh"
cleanup() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null
    stop_own_display
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "-- lintian"
# Every tag is named, the informational ones too; only errors fail.
status=0
lintian --display-info --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian found errors"

# What the package holds: the programs, the menu entry with its icon and description, the
# manual pages, the completion and the sample dictionary; never a dictionary beside the
# editor, which dpkg would replace under whoever edited it.
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for file in usr/bin/translation-editor usr/bin/translation-file usr/lib/translation-editor/translation-editor \
    usr/share/applications/translation-editor.desktop usr/share/metainfo/org.example.translation_editor.metainfo.xml \
    usr/share/icons/hicolor/32x32/apps/translation-editor.png usr/share/icons/hicolor/256x256/apps/translation-editor.png \
    usr/share/icons/hicolor/scalable/apps/translation-editor.svg usr/share/man/man1/translation-editor.1.gz \
    usr/share/man/man1/translation-file.1.gz usr/share/bash-completion/completions/translation-file \
    usr/share/translation-editor/TranslationFile.dat usr/share/doc/translation-editor/copyright; do
    grep -qx "./$file" <<<"$contents" || fail "the package holds no $file"
done
grep -q '^\./usr/lib/translation-editor/TranslationFile.dat$' <<<"$contents" &&
    fail "the package holds a dictionary beside the editor"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "the package's dependencies were not read from the binaries"

echo "-- installed into $work/root"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
touch "$root/var/lib/dpkg/status"
# The libraries the package depends on are the machine's, not the root's.
install_package() { dpkg --root="$root" --force-depends -i "$1" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg could not install $1"; }; }
install_package "$deb"
desktop-file-validate "$root/usr/share/applications/translation-editor.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.translation_editor.metainfo.xml" ||
    fail "appstreamcli validate"

# A user of their own: an id no account has, a home in the work folder.
uid=61000
while getent passwd "$uid" >/dev/null || getent group "$uid" >/dev/null; do uid=$((uid + 1)); done
home=$work/home
mkdir -p "$home"
chown "$uid:$uid" "$home"
as_user() { setpriv --reuid="$uid" --regid="$uid" --clear-groups env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="${DISPLAY:-}" "$@"; }

as_user env MANPATH="$root/usr/share/man" MANWIDTH=80 man -P cat translation-file 2>"$work/man.err" | tr -s ' ' >"$work/man.txt" || true
grep -q "translation-file - a translation file as text and back" "$work/man.txt" ||
    { cat "$work/man.err" >&2; fail "man translation-file did not render the installed page"; }
[ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "man translation-file complained"; }
completion=$(bash -c '. /usr/share/bash-completion/bash_completion && . "$1" &&
    COMP_WORDS=(translation-file ch) COMP_CWORD=1 && _translation_file && echo "${COMPREPLY[*]}"' - \
    "$root/usr/share/bash-completion/completions/translation-file")
[ "$completion" = check ] || fail "the bash completion made \"$completion\" of \"translation-file ch\""

start_own_display "${XVFB_FIRST:-180}"
# shellcheck source=tests/desktop/form_driver.sh
. "$here/form_driver.sh"
tool=$root/usr/bin/translation-file
sample=$root/usr/share/translation-editor/TranslationFile.dat
# shellcheck source=tests/desktop/installed_edit.sh
. "$here/installed_edit.sh"
as_user "$root/usr/bin/translation-editor" &
editor_pid=$!
form=$(form_window) || fail "the installed launcher showed no form"
sleep 0.5
# The window icon the form shows is the package's icon, pixel for pixel (AARRGGBB).
xprop -id "$form" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | sed 's/^[^=]*= //' | tr ',' '\n' |
    while read -r v; do printf '%08X\n' "$v"; done >"$work/icon.shown"
{ echo 00000020; echo 00000020; convert "$root/usr/share/icons/hicolor/32x32/apps/translation-editor.png" -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-F]\{6\}\)\([0-9A-F]\{2\}\) .*/\2\1/p'; } >"$work/icon.packaged"
cmp -s "$work/icon.shown" "$work/icon.packaged" || fail "the form's window icon is not the package's 32 x 32 icon"
mkdir -p "$shots"
add_word_and_end "$editor_pid" "$shots/deb-installed-form.png"
editor_pid=""
own=$home/.local/share/translation-editor
[ "$(stat -c %u "$own/TranslationFile.dat")" = "$uid" ] || fail "the user's dictionary is not the user's"
edit_stored_in "$own/TranslationFile.dat" "$sample"
dpkg --root="$root" --verify translation-editor || fail "a file of the package changed"
cp "$own/TranslationFile.dat" "$work/edited.dat"

echo "-- upgraded, then removed"
dpkg-deb -R "$deb" "$work/next"
sed -i 's/^Version: .*/&+1/' "$work/next/DEBIAN/control"
dpkg-deb --root-owner-group -b "$work/next" "$work/next.deb" >/dev/null
install_package "$work/next.deb"
grep -q 'over (' "$work/dpkg.log" || fail "the second package did not upgrade the first"
cmp -s "$own/TranslationFile.dat" "$work/edited.dat" || fail "the upgrade changed the user's dictionary"
dpkg --root="$root" --purge translation-editor >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg could not remove the package"; }
if [ -e "$root/usr/lib/translation-editor" ] || [ -e "$root/usr/bin/translation-editor" ]; then
    fail "the removal left the program"
fi
cmp -s "$own/TranslationFile.dat" "$work/edited.dat" || fail "the removal changed the user's dictionary"
echo "PASS: the package is clean, installs, starts for a user who stores an edit in their own dictionary, upgrades and goes, leaving it"
