#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/bin/mvul ]; then
  exec build/bin/mvul "$@"
fi
echo "The desktop program is not built yet; the command-line checker is build/bin/mvulc."
