#!/usr/bin/env bash
# Fails when a C++ file of ours is not formatted as .clang-format says; prints the files.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v '^fuzz/corpus/')
if clang-format --dry-run --Werror "${files[@]}" 2>/tmp/snapdeck-format.$$; then
  rm -f /tmp/snapdeck-format.$$
  echo "check-format: ${#files[@]} files formatted"
  exit 0
fi
grep -o '^[^:]*:' /tmp/snapdeck-format.$$ | sort -u | sed 's/:$//; s/^/  not formatted: /'
rm -f /tmp/snapdeck-format.$$
echo "check-format: run clang-format -i on the files above" >&2
exit 1
