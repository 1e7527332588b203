#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh build
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"
