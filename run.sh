#!/usr/bin/env bash
# Installs what the build needs, builds the command-line tool, writes the sample result file
# and shows its case tree and the results of one step.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

build=${PVK_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPVK_BUILD_TESTS=OFF \
  -DPVK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target pvk
pvk="$build/tools/pvk/pvk"
mkdir -p "$build/sample"
"$pvk" sample "$build/sample/cantilever"
"$pvk" info "$build/sample/cantilever.tkvp"
"$pvk" results "$build/sample/cantilever.tkvp" --subcase TRANSIENT --step 3
