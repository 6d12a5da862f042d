# shellcheck shell=bash disable=SC2154  # $here is the caller's
# Sourced by the scripts that run Windows programs under Wine, after they set WINEPREFIX
# and define skip (what to do when Wine cannot run here). It finds the 64-bit Wine, starts
# an X display of its own and one wineserver for the whole run, and makes the prefix
# afresh (never the user's ~/.wine) with Wine's fonts, unmanaged windows and no crash
# dialog. Then $wine starts a program; the display and the server end with the script.

# Debian's wine64 package puts the loader in /usr/lib/wine; the wine and wineserver
# commands in /usr/bin come with the recommended wrapper package, which need not be there.
# WINE64 names another loader.
wine=${WINE64:-$(command -v wine64 || true)}
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; } || true
[ -n "$wine" ] || skip "no 64-bit Wine loader (Debian package wine64)"
wineserver=""
for w in /usr/lib/wine/wineserver64 "$(dirname "$wine")/wineserver" "$(command -v wineserver || true)"; do
    [ -n "$w" ] && [ -x "$w" ] && { wineserver=$w; break; }
done
[ -n "$wineserver" ] || skip "no wineserver next to $wine"

export WINELOADER=$wine WINESERVER=$wineserver
export WINEPREFIX
export WINEARCH=win64
export WINEDEBUG=-all
# No prompts to install Wine's .NET and HTML engines (the editor needs neither), and no
# menu entries written into the user's home for the prefix's programs.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# A display of our own, on the first free one of ten numbers from 170 (or from XVFB_FIRST).
# shellcheck source=tests/desktop/own_display.sh
. "$here/own_display.sh"
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    stop_own_display
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start_own_display "${XVFB_FIRST:-170}"

seconds_since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }
start=$(date +%s.%N)
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# One server for the whole run: the prefix set-up and every start of the editor reuse it
# instead of starting one (and Wine's services) each time. It outlives its last program by
# 30 s, not for ever, so that even a killed run leaves nothing behind for long.
"$wineserver" -p30
timeout 300 "$wine" wineboot --init >"$WINEPREFIX.log" 2>&1 || true
# Wine's own fonts in the prefix's font folder, where a Windows program's fonts live.
if [ -d /usr/share/wine/fonts ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
fi
# Unmanaged X windows: Wine places the windows itself and draws their frames and captions,
# as a Windows desktop does, whether or not a window manager runs. A crash ends the program
# with an error code instead of waiting in a crash dialog that nobody answers.
cat > "$WINEPREFIX/drive_c/settings.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
timeout 60 "$wine" regedit /S 'C:\settings.reg' >>"$WINEPREFIX.log" 2>&1 || true

# Whether Wine can start a program at all here, and report its exit code: Wine's own
# command interpreter ending with code 7. Only if this fails is the run skipped.
probe=0
timeout 60 "$wine" cmd /c exit 7 >>"$WINEPREFIX.log" 2>&1 || probe=$?
[ "$probe" -eq 7 ] || skip "Wine cannot start a program here (cmd /c exit 7 gave $probe; $(tail -3 "$WINEPREFIX.log" | tr '\n' ' '))"
if ! "$wine" reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>/dev/null | grep -q 'Managed.*REG_SZ.*N'; then
    echo "FAIL: the Wine prefix did not take the unmanaged-windows setting" >&2
    exit 1
fi
echo "Wine prefix $WINEPREFIX ready in $(seconds_since "$start") s ($("$wine" --version))"
