#!/usr/bin/env bash
# Fails when a C++ source differs from what clang-format makes of it.
set -euo pipefail
cd "$1"
find base core session datastore vresult resultfile csys render ibm tools tests bench fuzz python \
  -name '*.h' -o -name '*.cpp' | sort | xargs clang-format --dry-run --Werror
