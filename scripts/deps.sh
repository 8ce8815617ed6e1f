#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (idempotent).
set -euo pipefail
packages=(cmake g++ make googletest libgtest-dev libbenchmark-dev qt6-base-dev qt6-base-dev-tools
          libcurl4-openssl-dev clang libclang-rt-14-dev xvfb xauth xdotool imagemagick python3-aiosmtpd openssl libgl-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
