#!/usr/bin/env bash
# Installs every Debian package that the build, the program and the tests need.
# Quiet when everything is there; runs apt-get update once when something is missing.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config ccache clang
  # libraries
  qt6-base-dev qt6-webengine-dev qt6-serialport-dev qt6-translations-l10n libcurl4-openssl-dev libssl-dev libpugixml-dev nlohmann-json3-dev
  # tests and benchmarks
  libgtest-dev libbenchmark-dev xvfb xauth poppler-utils libxml2-utils python3-pyftpdlib chromium
  pure-ftpd openssl
  python3-sireader # an independent SportIdent station client, the station emulator's counterpart
  fonts-dejavu-core
  strace # the durability test watches the saves' system calls
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
