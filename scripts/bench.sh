#!/usr/bin/env bash
# Builds the benchmarks (Release build in ./build-bench) and runs them; the figures go
# to standard output, each benchmark starting with a line naming the machine.
#
#   scripts/bench.sh                      every benchmark
#   scripts/bench.sh capture startup      only those named (capture, decode, writes,
#                                         memory, startup, gphoto2, ftp, responsiveness,
#                                         live, queue)
#   BENCH_REPEAT=21 scripts/bench.sh      measure each figure 21 times (medians)
#
# Pictures are written under ./build-bench/bench-data: flushing to disk costs what the
# file system there makes it cost, so run it on the disk the program writes to.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build-bench/CMakeCache.txt ]; then
  cmake -S . -B build-bench "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DSNAPDECK_BUILD_BENCHMARKS=ON >/dev/null
fi
cmake --build build-bench -j "${JOBS:-2}" --target snapdeck_benchmarks >/dev/null

data=build-bench/bench-data
mkdir -p "$data"
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
fi

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  names=(capture decode writes memory startup gphoto2 ftp responsiveness live queue)
fi
for name in "${names[@]}"; do
  case "$name" in
    capture) program=capture_bench ;;
    writes) program=write_steps_bench ;;
    decode) program=decode_bench ;;
    memory) program=capture_memory_bench ;;
    startup) program=startup_bench ;;
    gphoto2) program=gphoto2_bench ;;
    ftp) program=ftp_bench ;;
    responsiveness) program=responsiveness_bench ;;
    live) program=live_view_bench ;;
    queue) program=queue_bench ;;
    *) echo "bench.sh: unknown benchmark \"$name\"" >&2; exit 2 ;;
  esac
  if [ ! -x "build-bench/bench/$program" ]; then
    echo "bench.sh: $program is not built" >&2
    continue
  fi
  echo "=== $program ($(date -u +%Y-%m-%dT%H:%MZ), $(git rev-parse --short HEAD 2>/dev/null || echo '?'))"
  if [ "$name" = decode ]; then
    for mode in box full dc; do "build-bench/bench/$program" "$mode"; done
  elif [ "$name" = live ]; then
    "build-bench/bench/$program" 10 # seconds of live view per frame size
  else
    "build-bench/bench/$program" "$data"
  fi
  echo
done
