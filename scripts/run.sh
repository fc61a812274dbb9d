#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program kp (release) and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KP_BUILD_DIR:-$root/build/release}"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKP_BUILD_TESTS=OFF
cmake --build "$build" --parallel "$(nproc)" --target kp
exec "$build/app/kp" "$@"
