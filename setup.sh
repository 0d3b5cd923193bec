#!/usr/bin/env bash
# One-command set-up on a fresh Debian 12 machine.
#   ./setup.sh run    install what is missing, build, run the production
#   ./setup.sh test   install what is missing, build, run every test
# Debian packages are installed with apt-get (as root, or through sudo).
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}

packages=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libjpeg62-turbo-dev
  libgl-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev
  xvfb xauth x11-apps xdotool imagemagick ffmpeg sox
  libx11-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

case "$mode" in
  run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      if [ -x build/capture ]; then hint="to make a video of it instead use build/capture"
      else hint="the video-export tool (build/capture) is not built yet"; fi
      echo "setup: built, but there is no display here to run the production on; $hint" >&2
      exit 1
    fi
    exec build/zorvandu
    ;;
  test)
    cd build
    exec ctest --output-on-failure --no-tests=error -j"$(nproc)"
    ;;
  *)
    echo "usage: ./setup.sh run|test" >&2
    exit 2
    ;;
esac
