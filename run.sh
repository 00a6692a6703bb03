#!/usr/bin/env bash
# Installs what the build needs, builds the command-line tool and runs it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

build=${PVK_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPVK_BUILD_TESTS=OFF \
  -DPVK_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target pvk
"$build/tools/pvk/pvk" --version
