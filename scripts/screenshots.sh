#!/usr/bin/env bash
# Builds the program and its tests (debug, no sanitizer) and writes a PNG of every
# window and dialog built so far into the folder given as the first argument
# (default build/screenshots): every test executable runs its "Screenshots" cases
# with KP_SCREENSHOT_DIR set, under xvfb-run when it is installed (for windows that
# need a real display), otherwise on the offscreen platform.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshots}")"
build="${KP_SCREENSHOT_BUILD_DIR:-$root/build/screenshots-build}"

bash "$root/scripts/setup.sh"
launcher=()
if command -v ccache > /dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKP_SANITIZE=OFF -DKP_BUILD_TESTS=ON "${launcher[@]}"
cmake --build "$build" --parallel "$(nproc)"

mkdir -p "$out"
export KP_SCREENSHOT_DIR="$out"
run=()
if command -v xvfb-run > /dev/null; then
  run=(xvfb-run -a -s "-screen 0 1600x1200x24")
  export QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=offscreen
fi
status=0
while IFS= read -r exe; do
  echo "== $(basename "$exe")"
  "${run[@]}" "$exe" --gtest_filter='Screenshots*.*' || status=1
done < <(find "$build/tests" -maxdepth 2 -type f -name '*_tests' -perm -u+x | sort)
echo "Bilder in $out:"
ls -1 "$out"
exit $status
