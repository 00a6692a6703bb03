#!/usr/bin/env bash
# Usage: check.sh BUILD_DIR WORK_DIR PROJECT_DIR PVK SOURCE_DIR
# Builds the consumer program against the installed library, once through the CMake package and
# once through pkg-config, and runs it on a sample result file. Then configures a project that
# adds the source tree with add_subdirectory(): it gets the library and none of the tests,
# benchmarks or tools.
set -euo pipefail
build=$1 work=$2 project=$3 pvk=$4 source=$5
rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
"$pvk" sample "$work/beam" --force -q
sample=$work/beam.tkvp

cmake -S "$project" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$work/prefix/lib" "$work/cmake/consumer" "$sample" | grep -qx 'consumer: ok'

libdir=$(find "$work/prefix" -name QVE_pvk.pc -printf '%h\n')
export PKG_CONFIG_PATH=$libdir
# shellcheck disable=SC2046
g++ -o "$work/consumer_pc" "$project/main.cpp" $(pkg-config --cflags --libs QVE_pvk)
LD_LIBRARY_PATH="$work/prefix/lib" "$work/consumer_pc" "$sample" | grep -qx 'consumer: ok'

# Configured only: building the library a second time would double this test's time.
cmake -S "$(dirname "$0")/subdir" -B "$work/subdir" -G Ninja -DPVK_SOURCE_DIR="$source" \
  -DPVK_CONSUMER_DIR="$project" >/dev/null
targets=$(ninja -C "$work/subdir" -t targets all)
grep -q '^consumer: ' <<<"$targets"
if grep -E '(^|/)(pvk|pvk_tool|test_[a-z]+|bench_[A-Za-z]+|qve_pvk_core|pvk_fuzz_[a-z]+): ' \
  <<<"$targets"; then
  echo "consumer: a project that adds the source tree gets more than the library"
  exit 1
fi
echo "consumer: both builds ran, the subdirectory project has the library alone"
