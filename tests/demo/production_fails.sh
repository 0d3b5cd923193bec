#!/bin/bash
# Start-up failures of build/zorvandu, each one line on stderr and exit 1:
#   production_fails.sh BUILD_DIR SOURCE_DIR CASE
# CASE: no-display, no-audio, no-module, bad-module, no-picture, no-font.
set -u
. "$(dirname "$0")/common.sh"

if [ "${1:-}" = --inside ]; then
    # On the X server: run the production in the prepared directory.
    cd "$2" && shift 2
    env "$@" "$ZK_BINARY" >out.txt 2>err.txt
    echo $? >rc.txt
    exit 0
fi

zk_setup "$1" "$2"
case_name=$3
export ZK_BINARY="$build/zorvandu"
audio=SDL_AUDIODRIVER=dummy
on_display=1
case $case_name in
    no-display) zk_data; on_display=0; expect='^zorvandu: no display found; to make a video instead use build/capture$' ;;
    no-audio)   zk_data afro.mod; audio=SDL_AUDIODRIVER=no_such_driver; expect='^VYL failure$' ;;
    no-module)  zk_data afro.mod; expect='^Mod not found$' ;;
    bad-module) zk_data afro.mod
                head -c 3000 /dev/urandom >"$work/data/afro.mod"
                audio="SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/sound.raw"
                expect='^Mod rejected: .+' ;;
    no-picture) zk_data girazor.jpg; expect='data/girazor\.jpg' ;;
    no-font)    zk_data fontsor2smuut.jpg; expect='data/fontsor2smuut\.jpg' ;;
    *) zk_fail "unknown case $case_name" ;;
esac

if [ $on_display = 1 ]; then
    zk_xvfb "$0" --inside "$work" $audio
else
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY $audio "$ZK_BINARY" >out.txt 2>err.txt; echo $? >rc.txt)
fi

rc=$(cat "$work/rc.txt")
errors=$(zk_errors "$work/err.txt")
echo "$case_name: exit $rc, stderr: $errors"
[ "$rc" = 1 ] || zk_fail "$case_name: exit status $rc, not 1"
[ "$(printf '%s\n' "$errors" | wc -l)" = 1 ] || zk_fail "$case_name: not one line on stderr"
printf '%s\n' "$errors" | grep -Eq "$expect" || zk_fail "$case_name: stderr does not match $expect"
[ -s "$work/out.txt" ] && zk_fail "$case_name: wrote to stdout"
if [ "$case_name" = bad-module ] && [ -s "$work/sound.raw" ]; then
    # The device may have run paused for a moment: silence only, no music.
    cmp -s -n "$(stat -c %s "$work/sound.raw")" "$work/sound.raw" /dev/zero ||
        zk_fail "bad-module: a rejected module was played"
fi
exit 0
