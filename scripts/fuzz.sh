#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang and runs each of them.
#
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
#
# Needs clang and libFuzzer, which the normal set-up does not install:
#   sudo apt-get install clang libclang-rt-14-dev
# Seeds: fuzz/corpus/<target>/ (made by fuzz_make_seeds; remade with
# KP_FUZZ_SEEDS=1). New inputs go to build/fuzz/corpus/<target>/, crashes to
# build/fuzz/findings/<target>/; the script exits non-zero when a target found one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KP_FUZZ_BUILD_DIR:-$root/build/fuzz}"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_ProjectFile fuzz_ProjectXml fuzz_ProbeTypeXml fuzz_HeatpumpList
                                   fuzz_TimeSeries fuzz_WorldFile fuzz_MeshFiles fuzz_TriangleInput)

command -v clang++ >/dev/null || { echo "clang++ missing: sudo apt-get install clang libclang-rt-14-dev" >&2; exit 2; }
CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" --parallel "${KP_FUZZ_JOBS:-$(nproc)}" --target "${targets[@]}" fuzz_make_seeds

if [ "${KP_FUZZ_SEEDS:-0}" = 1 ]; then
  "$build/fuzz_make_seeds" "$root/fuzz/corpus"
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
failed=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  findings="$build/findings/$t"
  mkdir -p "$corpus" "$findings"
  echo "== $t for $seconds s"
  if ! "$build/$t" "$corpus" "$root/fuzz/corpus/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
       -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 >"$build/$t.log" 2>&1; then
    echo "   found a fault: see $build/$t.log and $findings/" >&2
    failed=1
  fi
  grep -E "^(stat::number_of_executed_units|stat::new_units_added)" "$build/$t.log" | sed 's/^/   /' || true
done
exit $failed
