#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (idempotent).
# Only the installation needs root: as root it runs as it is, as a user
# through sudo.
set -euo pipefail
packages=(cmake g++ make googletest libgtest-dev libbenchmark-dev qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
          libcurl4-openssl-dev clang libclang-rt-14-dev clang-format xvfb xauth xdotool openbox imagemagick python3-aiosmtpd
          openssl libgl-dev desktop-file-utils appstream lintian dpkg-dev file libpugixml-dev libsecret-1-dev
          gnome-keyring dbus libsecret-tools at-spi2-core python3-pyatspi)
source "$(dirname "$0")/as-root.sh"
install_missing "${packages[@]}"
