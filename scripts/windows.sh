#!/usr/bin/env bash
# Builds the Windows programs here, with Debian's mingw-w64: the toolchain
# once (Qt, libcurl with Schannel, pugixml and GoogleTest cross-built from
# Debian's own sources, kept in a cache outside the clone), then mvul.exe and
# mvulc.exe, packed as a ZIP and an NSIS installer in build-windows/.
#
#   bash scripts/windows.sh              toolchain (when missing), programs, packages
#   bash scripts/windows.sh toolchain    only the toolchain
#   bash scripts/windows.sh programs     only the programs (the toolchain must be there)
#   bash scripts/windows.sh test         the programs and packages, then their tests under wine
#   bash scripts/windows.sh pack         only the packages (the programs must be there)
#   bash scripts/windows.sh --print-toolchain   the cached toolchain's folder
#
# MVUL_WINDOWS_CACHE names the cache (default ~/.cache/mvul-windows).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-toolchain.sh

case "${1:-all}" in
  --print-toolchain) echo "$MVUL_TOOLCHAIN"; exit 0 ;;
  toolchain) windows_deps; build_toolchain ;;
  programs) build_programs ;;
  test) windows_deps; build_programs; pack_programs; test_programs ;;
  pack) pack_programs ;;
  all) windows_deps; build_toolchain; build_programs; pack_programs ;;
  *) echo "usage: $0 [all|toolchain|programs|test|pack|--print-toolchain]" >&2; exit 2 ;;
esac
