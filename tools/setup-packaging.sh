#!/usr/bin/env bash
# Installs the tools that build and check the Debian package (tools/package.sh) on top of what
# tools/setup.sh installs for building and testing.
set -euo pipefail
packages=(dpkg-dev fakeroot file lintian desktop-file-utils appstream shared-mime-info xdg-utils librsvg2-bin)
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
