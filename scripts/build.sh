#!/usr/bin/env bash
# Installs what is missing and builds everything (Release, into build/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DMVUL_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
