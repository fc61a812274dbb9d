#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KP_BENCH_BUILD_DIR:-$root/build/bench}"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKP_BUILD_TESTS=OFF -DKP_BUILD_BENCH=ON
cmake --build "$build" --parallel "$(nproc)" --target kp_bench
exec "$build/bench/kp_bench" "$@"
