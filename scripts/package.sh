#!/usr/bin/env bash
# Builds the Debian package: a Release build in ./build-package without tests, then
# CPack. Prints the .deb's path; install it with `sudo apt install ./snapdeck_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >&2
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# Debian's hardening: stack protector, fortified functions, read-only relocations.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cmake -S . -B build-package "${generator[@]}" "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DSNAPDECK_BUILD_TESTS=OFF -DSNAPDECK_BUILD_BENCHMARKS=OFF >&2
cmake --build build-package -j "${JOBS:-2}" >&2
rm -f build-package/snapdeck_*.deb
(cd build-package && cpack -G DEB) >&2
ls "$PWD"/build-package/snapdeck_*.deb
