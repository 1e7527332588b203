#!/usr/bin/env bash
# Sets up, builds and starts Lotmark.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh build
exec build/bin/lotmark "$@"
