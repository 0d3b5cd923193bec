#!/bin/bash
# Ending build/zorvandu early, as a user does:
#   production_input.sh BUILD_DIR SOURCE_DIR CASE
# CASE: key (a key press), click (a mouse-button press), close (the window
# manager's close request). Mouse motion, a button release and a key release
# first must not end it; the chosen event then ends it with exit status 0.
set -u
. "$(dirname "$0")/common.sh"

if [ "${1:-}" = --inside ]; then
    cd "$2"
    SDL_AUDIODRIVER=dummy "$ZK_BINARY" 2>err.txt &
    pid=$!
    window=$(timeout 20 xdotool search --sync --name '^Zorvandu Kelemba$' | head -n 1)
    [ -n "$window" ] || { echo "no window" >verdict.txt; kill $pid; exit 0; }
    sleep 2  # start-up: textures and the first row of the song
    xdotool mousemove 100 100 mousemove 320 240 mouseup 1 keyup a
    sleep 1.5
    kill -0 $pid 2>/dev/null || { echo "ended by a harmless event" >verdict.txt; exit 0; }
    case $3 in
        key)   xdotool key space ;;
        click) xdotool click 1 ;;
        close) "$ZK_CLOSE_REQUEST" "$window" ;;
    esac
    for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    if kill -0 $pid 2>/dev/null; then
        echo "still running 10 s after the $3 event" >verdict.txt
        kill $pid
    fi
    wait $pid
    echo $? >rc.txt
    exit 0
fi

zk_setup "$1" "$2"
export ZK_BINARY="$build/zorvandu"
export ZK_CLOSE_REQUEST="$build/tests/demo/close_request"
zk_data
zk_xvfb "$0" --inside "$work" "$3"
[ -f "$work/verdict.txt" ] && zk_fail "$3: $(cat "$work/verdict.txt")"
rc=$(cat "$work/rc.txt" 2>/dev/null || echo none)
[ "$rc" = 0 ] || zk_fail "$3: exit status $rc, not 0"
[ -z "$(zk_errors "$work/err.txt")" ] || zk_fail "$3: wrote to stderr: $(cat "$work/err.txt")"
echo "$3: ended early with exit status 0"
