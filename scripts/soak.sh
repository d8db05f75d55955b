#!/usr/bin/env bash
# The soak: the engine as an unattended time-lapse station through many
# interval shots, with faults at random but reproducible moments; prints the figures
# (docs/reliability.md, "Soak").
#
#   scripts/soak.sh              10000 shots, seed 1
#   scripts/soak.sh 2000 42      2000 shots, seed 42
#   scripts/soak.sh station            the headless station: 10000 rounds, seed 1, with
#   scripts/soak.sh station 2000 42    camera, disk, server faults and kill -9 restarts
#
# Builds in ./build-soak. Exit status: 0 passed; 1 a problem, printed after the figures;
# 2 the station could not be set up; above 128 the soak crashed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build-soak/CMakeCache.txt ]; then
  cmake -S . -B build-soak "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build-soak -j "${JOBS:-2}" --target snapdeck_soak >/dev/null

export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
status=0
if [ "${1:-}" = station ]; then
  build-soak/tests/soak/snapdeck_soak station "${2:-10000}" "${3:-1}" || status=$?
else
  build-soak/tests/soak/snapdeck_soak "${1:-10000}" "${2:-1}" || status=$?
fi
if [ "$status" -gt 128 ]; then
  echo "soak: CRASHED (signal $((status - 128)))"
fi
exit "$status"
