#!/usr/bin/env bash
# The thread-sanitizer build (clang, LLVM's OpenMP runtime, whose Archer tool tells the
# sanitizer how OpenMP synchronises) and a run of the tests of the code that runs on more than
# one thread: the grid interpolation's parallel loop (tests/ibm), and the message loop and the
# animation timer on it, which other threads may try to use (tests/base, tests/render).
#   scripts/tsan.sh [GTEST_FILTER]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh clang libclang-rt-dev libomp-dev

build=${PVK_TSAN_BUILD_DIR:-build/tsan}
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPVK_TSAN=ON \
  -DPVK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target test_ibm test_base test_render
# The OpenMP runtime itself is not instrumented; Archer stands in for it.
export TSAN_OPTIONS="ignore_noninstrumented_modules=1 halt_on_error=1 ${TSAN_OPTIONS:-}"
export OMP_NUM_THREADS=${OMP_NUM_THREADS:-4}
"$build/tests/ibm/test_ibm" --gtest_filter="${1:-*}"
"$build/tests/base/test_base" --gtest_filter="${1:-CMessageLoopTest.*OtherThread*}"
"$build/tests/render/test_render" --gtest_filter="${1:-*OtherThread*}"
