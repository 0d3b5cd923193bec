#!/bin/bash
# build/zorvandu played from start to end as a user runs it, on Xvfb with
# SDL's disk audio driver standing in for the sound card:
#   production_run.sh BUILD_DIR SOURCE_DIR
# Checks that it ends by itself with exit status 0 after the song's length
# to position 1550, that the sound it sent to the device is, sample for
# sample, what build/modrender renders of the same module, that it prints
# nothing, and takes a screenshot in every scene (kept in
# BUILD_DIR/tests/demo/screens for a look), each of which must show a
# picture rather than an empty screen.
set -u
. "$(dirname "$0")/common.sh"

# order row name: one moment of each scene, well inside its window.
shots="
0  30 1-crew
1  40 2-title
2  40 3-lesson
3  16 4-simba
4  40 4-ndovu
5  56 4-punda-milia
6  40 5-phrases
8  20 5-star-rings
9  13 6-greeting-0
10 40 6-greeting-5
12 32 7-finale
13 56 7-grid-4
14 30 7-grid-7
15 20 7-closing
15 45 7-closing-late
"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The frame (44.1 kHz) at which row ORDER:ROW first starts, from modrender's timeline.
row_frame() { awk -v o="$1" -v r="$2" '$2 == o && $3 == r { print $1; exit }' "$work/timeline.txt"; }

if [ "${1:-}" = --inside ]; then
    cd "$2"
    start=$(now_ms)
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" "$ZK_BINARY" >out.txt 2>err.txt &
    pid=$!
    echo "$shots" | while read -r order row name; do
        [ -n "$order" ] || continue
        at=$(row_frame "$order" "$row")
        [ -n "$at" ] || { echo "row $order:$row never plays" >>shot_errors.txt; continue; }
        # The device stream is the song's clock (the disk driver runs a little
        # slower than real time under load): wait until it holds the row,
        # allowing one buffer of silence before playback starts.
        target=$(( at * 4 + 16384 ))
        while kill -0 $pid 2>/dev/null &&
              [ "$(stat -c %s "$work/sound.raw" 2>/dev/null || echo 0)" -lt $target ]; do
            sleep 0.05
        done
        kill -0 $pid 2>/dev/null || { echo "ended before $name" >>shot_errors.txt; break; }
        import -window root "$ZK_SCREENS/$name.png" 2>>shot_errors.txt
        echo "screenshot $name at $(( $(now_ms) - start )) ms" >&2
    done
    wait $pid
    echo $? >rc.txt
    echo $(( $(now_ms) - start )) >elapsed_ms.txt
    exit 0
fi

zk_setup "$1" "$2"
export ZK_BINARY="$build/zorvandu" ZK_SCREENS="$build/tests/demo/screens"
export work
mkdir -p "$ZK_SCREENS" && rm -f "$ZK_SCREENS"/*.png
ln -s "$src/data" "$work/data"
[ -f "$src/data/afro.mod" ] || zk_fail "no data/afro.mod"

echo "rendering the reference with modrender" >&2
"$build/modrender" --wav "$work/reference.wav" --timeline "$src/data/afro.mod" >"$work/timeline.txt" ||
    zk_fail "modrender failed"
end_frame=$(row_frame 15 50)
[ -n "$end_frame" ] || zk_fail "the module never reaches position 1550"
song_ms=$(( end_frame * 1000 / 44100 ))

echo "playing the production (about $(( song_ms / 1000 )) s)" >&2
zk_xvfb "$0" --inside "$work"

rc=$(cat "$work/rc.txt")
elapsed=$(cat "$work/elapsed_ms.txt")
echo "exit status $rc after $elapsed ms; position 1550 is reached $song_ms ms into the song"
[ "$rc" = 0 ] || zk_fail "exit status $rc: $(cat "$work/err.txt")"
[ "$elapsed" -ge $(( song_ms - 1000 )) ] || zk_fail "ended after $elapsed ms, before the song reached 1550"
[ "$elapsed" -le $(( song_ms * 5 / 4 + 5000 )) ] || zk_fail "ended after $elapsed ms, long after the song reached 1550"
[ -z "$(zk_errors "$work/err.txt")" ] || zk_fail "printed on stderr: $(zk_errors "$work/err.txt")"
[ -s "$work/out.txt" ] && zk_fail "printed on stdout"
[ -s "$work/shot_errors.txt" ] && zk_fail "screenshots: $(cat "$work/shot_errors.txt")"

# Sound: the device may have received silence while still paused; from the
# first sound on, the stream is modrender's, byte for byte.
tail -c +45 "$work/reference.wav" >"$work/reference.raw"
first_sound() { cmp "$1" /dev/zero 2>/dev/null | awk '/differ/ { sub(",", "", $5); print $5 }'; }
ref_from=$(first_sound "$work/reference.raw")
out_from=$(first_sound "$work/sound.raw")
[ -n "$ref_from" ] && [ -n "$out_from" ] || zk_fail "no sound in the reference or the device stream"
ref_bytes=$(( $(stat -c %s "$work/reference.raw") - ref_from + 1 ))
out_bytes=$(( $(stat -c %s "$work/sound.raw") - out_from + 1 ))
[ "$out_bytes" -ge "$ref_bytes" ] || zk_fail "the device got $out_bytes bytes of sound, less than the $ref_bytes to position 1550"
cmp -n "$ref_bytes" <(tail -c +"$out_from" "$work/sound.raw") <(tail -c +"$ref_from" "$work/reference.raw") ||
    zk_fail "the device stream differs from modrender's"
# It ended on the first frame at 1550: within a few device buffers of it.
[ "$out_bytes" -le $(( ref_bytes + 8 * 16384 )) ] || zk_fail "the device got $out_bytes bytes of sound, far beyond position 1550 ($ref_bytes)"
echo "sound: $ref_bytes bytes identical to modrender's (device silence before: $(( out_from - 1 )) bytes)"

# Pictures: every screenshot shows something, and no two are the same.
previous=""
for png in "$ZK_SCREENS"/*.png; do
    spread=$(convert "$png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
    echo "$(basename "$png"): grey spread $spread"
    awk -v s="$spread" 'BEGIN { exit !(s > 0.04) }' || zk_fail "$(basename "$png") looks empty"
    if [ -n "$previous" ]; then
        same=$(compare -metric AE "$previous" "$png" null: 2>&1 || true)
        [ "$same" != 0 ] || zk_fail "$(basename "$png") is the same as $(basename "$previous")"
    fi
    previous=$png
done
[ "$(ls "$ZK_SCREENS"/*.png | wc -l)" -ge 15 ] || zk_fail "fewer screenshots than scenes moments"
echo "production ran to the end"
