#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Without a display
# the program runs on a virtual one (Xvfb), and this says how to look at it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=:77
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  sleep 1
  export DISPLAY=$display
  echo "No display: mvul runs on the virtual display $display."
  echo "To see it: DISPLAY=$display import -window root mvul.png"
  build/bin/mvul "$@"
else
  exec build/bin/mvul "$@"
fi
