#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine: installs the packages, builds, then runs
#   demo  - the command-line demo against the local marketplace simulator
#   test  - every test (ctest)
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-demo}
build=${BUILD_DIR:-build}

bash scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

case "$what" in
  demo) "$build/bin/corpgather-cli" demo ;;
  test) ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900 ;;
  *) echo "usage: $0 demo|test" >&2; exit 2 ;;
esac
