#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit tests once
# more under AddressSanitizer and UndefinedBehaviorSanitizer, the cases that run
# threads under ThreadSanitizer, then all tests (window tests inside Xvfb) in
# the normal build.
set -uo pipefail
cd "$(dirname "$0")"
export ALSOFT_DRIVERS=null
jobs=$(nproc)

tools/install-deps.sh || exit 1

# The compiler cache, when installed, makes a second run on the same machine
# cheap (CI runs where the developer built). The settings let a clone in
# another folder hit the same entries and let the precompiled header of the
# tests be cached.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
fi

# Line tables are all a sanitizer report or a crash's backtrace needs; the
# full debug information (variables, types) costs a quarter of the normal
# build and an eighth of the sanitizer builds, and nobody debugs these trees.
debug=(-DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1
       "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")

echo "== Sanitizer build (unit tests)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELK_SANITIZE=ON -DVELK_BENCHMARKS=OFF "${launcher[@]}" "${debug[@]}" >/dev/null || exit 1
cmake --build build-asan -j"$jobs" --target velk_unit_tests || exit 1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -L unit -j"$jobs" --output-on-failure --timeout 300
asan=$?

echo "== ThreadSanitizer build (tests that use threads)"
# The programs are the CMake target velk_thread_tests; the pattern picks their
# threaded cases: the log, atomic files, asset caches (also on the GL thread),
# the listener list, the clipboard owner (through the screenshot) and the play
# screen's loading thread, headless and in a window.
thread_tests='^(Log|AtomicFile|AssetCacheTest|TextureCacheGuiTest|SfmlListenerList|SfmlScreenshot|PlayStateTest|PlayStateWindowTest)\.'
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DVELK_SANITIZE_THREAD=ON -DVELK_BENCHMARKS=OFF "${launcher[@]}" "${debug[@]}" >/dev/null || exit 1
cmake --build build-tsan -j"$jobs" --target velk_thread_tests || exit 1
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tools/tsan.supp" \
  ctest --test-dir build-tsan -R "$thread_tests" -j"$jobs" --output-on-failure --timeout 300
tsan=$?

echo "== Normal build (all tests)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${debug[@]}" >/dev/null || exit 1
cmake --build build -j"$jobs" || exit 1
ctest --test-dir build -j"$jobs" --output-on-failure --timeout 600
normal=$?

if [ "$asan" -ne 0 ] || [ "$tsan" -ne 0 ] || [ "$normal" -ne 0 ]; then
  echo "test.sh: failures (sanitizer run: $asan, thread sanitizer run: $tsan, normal run: $normal)"
  exit 1
fi
