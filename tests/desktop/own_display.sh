# shellcheck shell=bash
# Sourced by the desktop scripts that run their own X server: start_own_display FIRST
# starts Xvfb on the first free display of the ten numbers from FIRST, exports DISPLAY,
# and leaves the server's process id in $xvfb_pid (empty, and a message, when none was free).
xvfb_pid=""
start_own_display() {
    local first=$1 n
    for n in $(seq "$first" $((first + 9))); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            unset WAYLAND_DISPLAY
            return 0
        fi
        xvfb_pid=""
    done
    echo "FAIL: no free X display between :$first and :$((first + 9)) for Xvfb" >&2
    return 1
}
stop_own_display() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    return 0
}
