#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, address and undefined-behaviour sanitizers) and runs
# each for SECONDS (default 60) on its corpus, which grows across runs in build/fuzz/corpus.
#   scripts/fuzz.sh [SECONDS] [HARNESS ...]     harnesses: scan out road calc (default all)
# A finding is saved under build/fuzz/artifacts and makes the script fail. Fuzzer options can
# be added with PVK_FUZZ_ARGS, e.g. PVK_FUZZ_ARGS=-jobs=2.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh clang libclang-rt-dev libomp-dev

seconds=${1:-60}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(scan out road calc)

build=${PVK_FUZZ_BUILD_DIR:-build/fuzz}
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPVK_FUZZ=ON \
  -DPVK_BUILD_TESTS=OFF -DPVK_BUILD_BENCH=OFF >/dev/null
targets=(pvk pvk_fuzz_seeds)
for h in "${harnesses[@]}"; do targets+=("pvk_fuzz_$h"); done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

# Seeds: the sample in both formats and widths, the grid sample, and what the generator
# writes; made once per build folder.
seeds="$build/seeds"
if [ ! -f "$seeds/road.dict" ]; then
  samples="$build/samples"
  rm -rf "$samples" "$seeds"
  mkdir -p "$samples"
  pvk="$build/tools/pvk/pvk"
  for format in 130 140; do
    for real in 4 8; do
      "$pvk" sample "$samples/sample-$format-$real.tkvp" --cells 1 --steps 2 --format "$format" \
        --real "$real" >/dev/null
    done
  done
  "$pvk" sample "$samples/sample-ibm.tkvp" --ibm >/dev/null
  "$build/fuzz/pvk_fuzz_seeds" "$seeds" "$samples"/*.tkvp
fi

declare -A max_len=([scan]=65536 [out]=16384 [road]=65536 [calc]=1024)
declare -A dict=([scan]=pzar [out]=out [road]=road [calc]=calc)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
status=0
for h in "${harnesses[@]}"; do
  corpus="$build/corpus/$h"
  artifacts="$build/artifacts/$h"
  mkdir -p "$corpus" "$artifacts"
  log="$build/fuzz-$h.log"
  # Bounded memory: an allocation beyond what any input of max_len justifies is a finding.
  if "$build/fuzz/pvk_fuzz_$h" "$corpus" "$seeds/$h" -max_total_time="$seconds" \
      -max_len="${max_len[$h]}" -dict="$seeds/${dict[$h]}.dict" -timeout=10 \
      -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 \
      -artifact_prefix="$artifacts/" ${PVK_FUZZ_ARGS:-} >"$log" 2>&1; then
    result=ok
  else
    result="FINDING (see $log and $artifacts)"
    status=1
  fi
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
  echo "fuzz $h: ${runs:-?} executions, ${cov:-no coverage line}, $result"
done
exit $status
