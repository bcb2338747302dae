#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev
  libcurl4-openssl-dev
  libsqlcipher-dev sqlcipher
  libcpp-httplib-dev
  libxlsxwriter-dev libzip-dev
  xvfb xauth trayer x11-utils imagemagick fonts-droid-fallback
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 time
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
