#!/usr/bin/env bash
# Installs what Lotmark needs to build, run and test on Debian 12 (bookworm), and the extra
# packages given as arguments.
set -euo pipefail
packages=(cmake g++ ninja-build ccache qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev libgl1-mesa-dev
          qt6-image-formats-plugins qt6-l10n-tools fonts-liberation2 xvfb xauth libreoffice-writer-nogui poppler-utils
          python3-ezdxf libxml2-utils clang-format git "$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
