#!/usr/bin/env bash
# The Windows build of the editor through the desktop scenario, under Wine on Xvfb:
#   tests/desktop/wine_run.sh EDITOR_EXE TRANSLATION_FILE_TOOL
# EDITOR_EXE is the 64-bit Windows build (a plain Debian machine's Wine runs 64-bit
# programs only); TRANSLATION_FILE_TOOL is the native tool, which makes and reads the
# scenario's dictionaries. The Wine prefix is made afresh in the executable's folder on
# every run (never the user's ~/.wine), and one wineserver serves the whole run, so that
# each start of the editor takes a fraction of a second.
# Exits 0 after printing SKIPPED when Wine cannot start a program on this machine at all;
# any failure of the scenario itself is a failure.
set -euo pipefail

exe=$(realpath "$1")
tool=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIPPED: the Windows build was not run under Wine: $*"; exit 0; }

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
WINEPREFIX="$(dirname "$exe")/wineprefix"
export WINEPREFIX
export WINEARCH=win64
export WINEDEBUG=-all
# No prompts to install Wine's .NET and HTML engines (the editor needs neither), and no
# menu entries written into the user's home for the prefix's programs.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# A display of our own, on the first free number from 170 (XVFB_FIRST, when set, up to 179).
xvfb_pid=""
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    return 0
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
for n in $(seq "${XVFB_FIRST:-170}" 179); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        break
    fi
    xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "FAIL: no free X display between :${XVFB_FIRST:-170} and :179 for Xvfb" >&2; exit 1; }
unset WAYLAND_DISPLAY

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
ready=$(date +%s.%N)

# Every scenario runs, whichever fails: one failure must not hide another.
failed=0
EDITOR_LAUNCH=$wine "$here/desktop_test.sh" "$exe" "$tool" || failed=1
echo "scenario under Wine: $(seconds_since "$ready") s"
ready=$(date +%s.%N)
EDITOR_LAUNCH=$wine "$here/replace_failure_test.sh" "$exe" "$tool" || failed=1
echo "replace-failure scenario under Wine: $(seconds_since "$ready") s"
[ "$failed" -eq 0 ]
