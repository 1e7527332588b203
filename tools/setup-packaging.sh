#!/usr/bin/env bash
# Installs, on top of what building and testing need, the tools that build and check the Debian
# package (tools/package.sh, tools/check-package.sh) and render the icon (tools/render-icons.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh dpkg-dev fakeroot file lintian desktop-file-utils appstream shared-mime-info xdg-utils \
    librsvg2-bin
