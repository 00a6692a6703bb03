#!/usr/bin/env bash
# Usage: scripts/tidy.sh [BASE]
# Runs clang-tidy with the checks of .clang-tidy on the library and tool sources changed since
# BASE (default HEAD~1: for a merge commit its first parent, so the whole merged branch), or on
# all of them when BASE does not exist. A changed header is checked through its own source, or
# through one source that includes it. Uses the compile database of the test build
# (PVK_BUILD_DIR, default build/test), which must be configured.
set -euo pipefail
cd "$(dirname "$0")/.."
db=${PVK_BUILD_DIR:-build/test}/compile_commands.json
if [ ! -f "$db" ]; then
  echo "tidy: $db is missing: configure the test build first" >&2
  exit 1
fi
checked='^(base|core|session|datastore|vresult|resultfile|ibm|csys|render|tools/pvk)/'
base=${1:-HEAD~1}
if git rev-parse -q --verify "$base^{commit}" >/dev/null; then
  changed=$(git diff --name-only --diff-filter=d "$base" -- | grep -E "$checked" || true)
else
  changed=$(git ls-files | grep -E "$checked" || true)
fi

sources=()
for f in $changed; do
  case $f in
    *.cpp) sources+=("$f") ;;
    *.h)
      if [ -f "${f%.h}.cpp" ]; then
        sources+=("${f%.h}.cpp")
      else
        includer=$(git grep -l -F "#include \"$f\"" -- '*.cpp' | grep -E "$checked" | head -1 || true)
        [ -n "$includer" ] && sources+=("$includer")
      fi
      ;;
  esac
done
# Only what the build compiles (the database names every source by its full path).
mapfile -t sources < <(printf '%s\n' "${sources[@]}" | sort -u |
  while read -r f; do [ -n "$f" ] && grep -qF "\"$PWD/$f\"" "$db" && echo "$f"; done)
if [ ${#sources[@]} -eq 0 ]; then
  echo "tidy: no library or tool source changed"
  exit 0
fi
echo "tidy: checking ${#sources[@]} sources"
set +e
printf '%s\n' "${sources[@]}" |
  xargs -P"$(nproc)" -n4 clang-tidy -p "$(dirname "$db")" --quiet 2>&1 |
  grep -vE '^[0-9]+ warnings? generated\.$'
status=${PIPESTATUS[1]}
set -e
if [ "$status" -ne 0 ]; then
  echo "tidy: findings above (fix them, or NOLINT(check) with the reason where one is intended)"
  exit 1
fi
echo "tidy: clean"
