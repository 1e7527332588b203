#!/usr/bin/env bash
# Sets up, builds and starts Lotmark.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh build
bash tools/import-nomenclature.sh || echo "Nomenclature import failed; the Data folder keeps its tables." >&2
exec build/bin/lotmark "$@"
