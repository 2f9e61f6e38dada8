#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit tests once
# more under AddressSanitizer and UndefinedBehaviorSanitizer, then all tests
# (window tests inside Xvfb) in the normal build.
set -uo pipefail
cd "$(dirname "$0")"
export ALSOFT_DRIVERS=null
jobs=$(nproc)

tools/install-deps.sh || exit 1

echo "== Sanitizer build (unit tests)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELK_SANITIZE=ON -DVELK_BENCHMARKS=OFF >/dev/null || exit 1
cmake --build build-asan -j"$jobs" --target velk_unit_tests || exit 1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -L unit -j"$jobs" --output-on-failure --timeout 300
asan=$?

echo "== Normal build (all tests)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build -j"$jobs" || exit 1
ctest --test-dir build -j"$jobs" --output-on-failure --timeout 600
normal=$?

if [ "$asan" -ne 0 ] || [ "$normal" -ne 0 ]; then
  echo "test.sh: failures (sanitizer run: $asan, normal run: $normal)"
  exit 1
fi
