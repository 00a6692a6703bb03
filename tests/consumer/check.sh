#!/usr/bin/env bash
# Usage: check.sh BUILD_DIR WORK_DIR PROJECT_DIR
set -euo pipefail
build=$1 work=$2 project=$3
rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

cmake -S "$project" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
LD_LIBRARY_PATH="$work/prefix/lib" "$work/cmake/consumer" | grep -qx 'consumer: ok'

libdir=$(find "$work/prefix" -name QVE_pvk.pc -printf '%h\n')
export PKG_CONFIG_PATH=$libdir
# shellcheck disable=SC2046
g++ -o "$work/consumer_pc" "$project/main.cpp" $(pkg-config --cflags --libs QVE_pvk)
LD_LIBRARY_PATH="$work/prefix/lib" "$work/consumer_pc" | grep -qx 'consumer: ok'
echo "consumer: both builds ran"
