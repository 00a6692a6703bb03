#!/usr/bin/env bash
# Installs what the build needs, builds everything with warnings as errors and runs all
# tests. PVK_SANITIZE=address,undefined runs them in a sanitizer build instead.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

san=${PVK_SANITIZE:-}
build=${PVK_BUILD_DIR:-build/test${san:+-san}}
cmake -S . -B "$build" -G Ninja -DPVK_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPVK_SANITIZE="$san" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" -j"$(nproc)" --output-on-failure
