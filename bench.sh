#!/usr/bin/env bash
# Builds and runs the benchmarks (an optimised build of its own).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" --target velk_bench
exec build-bench/bench/velk_bench "$@"
