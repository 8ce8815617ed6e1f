#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the test
# suite, the same suite built with AddressSanitizer and UBSan, and a bounded
# run of every fuzzer, then the Windows programs under wine when the Windows
# toolchain has been built here (scripts/windows.sh: it takes about 40 minutes
# once, so the tests never start it themselves). The build treats warnings as
# errors and the sources must be as clang-format leaves them. Set MVUL_QUICK=1
# to run only the first pass, MVUL_WINDOWS=0 to leave Windows out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
echo "== format"
bash scripts/check-format.sh
export QT_QPA_PLATFORM=offscreen
echo "== tests"
ctest --test-dir build --output-on-failure -j"$(nproc)"
[ "${MVUL_QUICK:-0}" = 1 ] && exit 0

echo "== tests under AddressSanitizer and UBSan"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMVUL_SANITIZE=ON -DMVUL_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)" >/dev/null
# Qt and fontconfig keep caches until exit; leaks are checked by the fuzzers.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

echo "== fuzzers"
bash scripts/fuzz.sh "${MVUL_FUZZ_SECONDS:-20}"

echo "== Windows"
source scripts/windows-toolchain.sh
if [ "${MVUL_WINDOWS:-1}" = 0 ]; then
  echo "left out: MVUL_WINDOWS=0"
elif [ ! -f "$MVUL_TOOLCHAIN/ready" ]; then
  echo "left out: no Windows toolchain in $MVUL_TOOLCHAIN (bash scripts/windows.sh toolchain builds it)"
else
  bash scripts/windows.sh test
fi
