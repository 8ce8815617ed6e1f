#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it, or holds
# Hungarian text whose encoding is not said (see scripts/check-encoding.py).
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
while IFS= read -r file; do
  if ! clang-format --dry-run --Werror "$file" 2>/dev/null; then
    echo "not formatted: $file (run: clang-format -i $file)"
    status=1
  fi
done < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
python3 scripts/check-encoding.py || status=1
exit $status
