#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Snapdeck need.
# Only missing packages are installed, so running it again is cheap and harmless.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins libgl-dev
  # translations: lupdate and lrelease, their CMake functions, Qt's own Russian texts
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n
  libgphoto2-dev gphoto2 locales libsystemd-dev dbus-daemon
  libcurl4-openssl-dev ca-certificates
  libgtest-dev libbenchmark-dev
  python3 python3-pyftpdlib python3-openssl python3-cryptography
  fonts-dejavu-core
  # packaging: the icon sizes, the validators, the manual page check, dpkg-shlibdeps
  librsvg2-bin desktop-file-utils appstream man-db dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: every Debian package is installed"
else
  echo "install-deps: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The S3-compatible server of the upload tests (s3rver, pinned by its package-lock.json),
# installed with this machine's own Node.js and npm; without them the S3 tests are
# skipped. Debian's npm package is never installed: it conflicts with that Node.js.
s3_server="$(cd "$(dirname "$0")/.." && pwd)/tests/engine/upload/s3"
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  echo "install-deps: no Node.js with npm: the S3 upload tests will be skipped"
elif [ -f "$s3_server/node_modules/s3rver/package.json" ]; then
  echo "install-deps: the S3 test server is installed"
else
  echo "install-deps: installing the S3 test server (npm ci)"
  (cd "$s3_server" && npm ci --no-audit --no-fund --loglevel=error)
fi
