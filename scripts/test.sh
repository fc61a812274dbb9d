#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything with AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KP_TEST_BUILD_DIR:-$root/build/test}"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DKP_SANITIZE=ON -DKP_BUILD_TESTS=ON
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
