#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Without a display
# the program runs on a virtual one (Xvfb), and this says how to look at it.
# Run it as yourself: sudo is used for the packages only. Started through
# sudo, the program still runs as the user who asked, never as root for them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

as_player() {
  if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    runuser -u "$SUDO_USER" -- env HOME="$(getent passwd "$SUDO_USER" | cut -d: -f6)" DISPLAY="${DISPLAY:-}" \
      XAUTHORITY="${XAUTHORITY:-}" WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}" "$@"
  else
    "$@"
  fi
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=:77
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  sleep 1
  export DISPLAY=$display
  echo "No display: mvul runs on the virtual display $display."
  echo "To see it: DISPLAY=$display import -window root mvul.png"
  as_player build/bin/mvul "$@"
else
  as_player build/bin/mvul "$@"
fi
