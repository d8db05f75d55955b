#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/, clang, in build-fuzz/) and runs each for a fixed
# time, starting from its corpus in fuzz/corpus/<target>/. Afterwards the corpus is
# replaced by the smallest set of inputs that reaches all the coverage seen, so the
# repository keeps it small. A crash, hang (10 s) or sanitizer report stops that target
# and leaves the input in build-fuzz/findings/; the script then ends non-zero.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# Default: 300 seconds for each of the targets below. Fuzz builds are separate from
# the program's build and tests and need clang's fuzzer runtime, installed here.
set -euo pipefail
cd "$(dirname "$0")/.."

budget=${1:-300}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(number_reading moment picture_name time_left ftp_ini camera_ini)
fi

scripts/install-deps.sh
missing=()
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
    --no-install-recommends "${missing[@]}"
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${JOBS:-2}"

mkdir -p build-fuzz/findings build-fuzz/logs
status=0
for target in "${targets[@]}"; do
  binary=build-fuzz/fuzz/${target}_fuzzer
  corpus=fuzz/corpus/$target
  work=build-fuzz/work/$target
  log=build-fuzz/logs/$target.log
  options=(-timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1
           -artifact_prefix="build-fuzz/findings/$target-")
  if [ -f "fuzz/$target.dict" ]; then options+=(-dict="fuzz/$target.dict"); fi
  mkdir -p "$corpus"
  rm -rf "$work" && mkdir -p "$work"

  result=clean
  if ! "$binary" "${options[@]}" -max_total_time="$budget" "$work" "$corpus" >"$log" 2>&1; then
    result="FINDING (see $log)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)

  # Keep only the inputs that add coverage.
  minimal=build-fuzz/work/$target.min
  rm -rf "$minimal" && mkdir -p "$minimal"
  "$binary" -merge=1 "${options[@]}" "$minimal" "$corpus" "$work" >>"$log" 2>&1
  rm -rf "$corpus" && mv "$minimal" "$corpus"

  files=$(find "$corpus" -type f | wc -l)
  bytes=$(du -sb "$corpus" | cut -f1)
  printf '%-15s %5ss  %10s runs  corpus %4s files %7s bytes  %s\n' \
    "$target" "$budget" "${runs:-?}" "$files" "$bytes" "$result"
done
exit $status
