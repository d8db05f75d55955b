#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Snapdeck need.
# Only missing packages are installed, so running it again is cheap and harmless.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins libgl-dev
  libgphoto2-dev gphoto2 locales libsystemd-dev
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
  echo "install-deps: everything is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
