#!/usr/bin/env bash
# Configures and builds Snapdeck in ./build (tests included).
#   SNAPDECK_WARNINGS_AS_ERRORS=ON   warnings fail the build (CI)
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake build -DSNAPDECK_WARNINGS_AS_ERRORS="${SNAPDECK_WARNINGS_AS_ERRORS:-OFF}" >/dev/null
cmake --build build -j "${JOBS:-2}"
