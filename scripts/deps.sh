#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (idempotent).
# Only the installation needs root: as root it runs as it is, as a user
# through sudo.
set -euo pipefail
packages=(cmake g++ make googletest libgtest-dev libbenchmark-dev qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
          libcurl4-openssl-dev clang libclang-rt-14-dev clang-format xvfb xauth xdotool openbox imagemagick python3-aiosmtpd
          openssl libgl-dev desktop-file-utils appstream lintian dpkg-dev file libpugixml-dev libsecret-1-dev
          gnome-keyring dbus libsecret-tools)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "Missing packages: ${missing[*]}. Install them as root, or install sudo." >&2
    exit 1
  fi
}
as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
