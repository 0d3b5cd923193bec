# Shared by the tests that run build/zorvandu as a user does: a scratch
# working directory (the production reads data/ relative to it), an X server
# of the production's own size, and a one-line failure report.

# zk_setup BUILD_DIR SOURCE_DIR: sets build, src and work (removed on exit).
zk_setup() {
    build=$(cd "$1" && pwd)
    src=$(cd "$2" && pwd)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    chmod 700 "$work"
    export XDG_RUNTIME_DIR="$work"
    [ -x "$build/zorvandu" ] || zk_fail "no $build/zorvandu"
}

# zk_data [FILE...]: a copy of data/ in the working directory, without FILEs.
zk_data() {
    mkdir -p "$work/data"
    cp "$src"/data/* "$work/data/"
    for f in "$@"; do rm -f "$work/data/$f"; done
}

# zk_xvfb COMMAND...: runs COMMAND on a fresh 640x480 X server. Without a
# window manager a larger screen would keep the full-screen window at
# 640x480 in a corner, so the screen is the window.
zk_xvfb() {
    xvfb-run -a -n $((100 + $$ % 4000)) -s "-screen 0 640x480x24 -nolisten tcp" "$@"
}

# zk_errors FILE: the lines of FILE that are not SDL's own disk-audio notices.
zk_errors() {
    grep -v '^CRITICAL: ' "$1" || true
}

zk_fail() {
    echo "FAIL: $*" >&2
    exit 1
}
