#!/usr/bin/env bash
# Builds the Debian packages lotmark and libscrivel-dev into the build folder ($1, default build):
#     sudo apt install ./build/lotmark_1.0.18_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
bash tools/setup-packaging.sh
# Installed under /usr; the build folder itself keeps running the program from build/bin.
bash tools/build.sh "$build_dir" -DCMAKE_INSTALL_PREFIX=/usr
rm -f "$build_dir"/*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/*.deb
