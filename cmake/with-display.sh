#!/bin/sh
# Runs a command with an X display: the caller's, or a private Xvfb for the whole run,
# so that every Windows program of a test run shares one display and one wineserver.
if [ -n "$DISPLAY" ]; then
    exec "$@"
fi
# Two runs on one machine choose their displays one after the other, so that they never
# share one X server.
exec 9>/tmp/.kelvo-display.lock
flock 9
for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 9>&- &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT INT TERM
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
done
flock -u 9
exec 9>&-
DISPLAY=":$n" "$@"
