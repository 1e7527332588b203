#!/usr/bin/env bash
# Checks the packages tools/package.sh built in the build folder ($1, default build): lintian
# finds no error, the program installs with dpkg, its menu entry, file type and software-centre
# description are valid, and the installed lotmark-cli works on an installed sample. Removes the
# packages again at the end unless --keep is given.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build
keep=false
for argument in "$@"; do
    case "$argument" in
        --keep) keep=true ;;
        *) build_dir=$argument ;;
    esac
done
bash tools/setup-packaging.sh
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
packages=("$build_dir"/lotmark_*.deb "$build_dir"/libscrivel-dev_*.deb)

# Warnings are shown; an error fails the check. (Lintian's note about running as root is noise in CI.)
status=0
report=$(lintian --fail-on error "${packages[@]}" 2>&1) || status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ "$status" -eq 0 ] || { echo "lintian reports errors" >&2; exit 1; }

work=$(mktemp -d)
cleanup()
{
    rm -rf "$work"
    [ "$keep" = true ] || "${sudo_cmd[@]}" dpkg --purge libscrivel-dev lotmark >/dev/null
}
"${sudo_cmd[@]}" dpkg -i "${packages[@]}"
trap cleanup EXIT

desktop-file-validate /usr/share/applications/lotmark.desktop
appstreamcli validate --no-net /usr/share/metainfo/ro.lotmark.Lotmark.metainfo.xml
default=$(xdg-mime query default application/x-lotmark-cp)
[ "$default" = lotmark.desktop ] || { echo "application/x-lotmark-cp opens with '$default'" >&2; exit 1; }
sample=/usr/share/doc/lotmark/samples/Teren-intravilan-Alba-Iulia.CP
# The MIME database took the file type in (what files match it is tested with the build's tests).
grep -q '^application/x-lotmark-cp$' /usr/share/mime/types || { echo "the MIME database lacks .CP files" >&2; exit 1; }

# A user of the installed program: a fresh home, no folder of the program's own to write to.
as_user=(env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work")
/usr/bin/lotmark-cli --help >/dev/null
"${as_user[@]}" /usr/bin/lotmark-cli sheet "$sample" -o "$work/fisa.rtf"
head -c 5 "$work/fisa.rtf" | grep -q '{\\rtf'
"${as_user[@]}" /usr/bin/lotmark-cli paths | grep -qx "settings=$work/.config/Lotmark/Lotmark.INI"
echo "The packages pass lintian, install, and the installed lotmark-cli works."
