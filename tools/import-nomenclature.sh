#!/usr/bin/env bash
# Imports the full national nomenclature into the program's Data folder, when the official
# files are at hand: the SIRUTA register (CSV), the Ministry of Finance street nomenclature of
# each county found (one folder per county) and the Bucharest postal index.
#   tools/import-nomenclature.sh [RAW_DIR] [DATA_DIR]
# RAW_DIR defaults to ../shared/data/nomenclature/raw, DATA_DIR to build/bin/Data (LOTMARK_CLI
# names another lotmark-cli than build/bin/lotmark-cli). Without
# RAW_DIR the demonstration tables the build wrote stay in place.
set -euo pipefail
cd "$(dirname "$0")/.."
raw=${1:-../shared/data/nomenclature/raw}
data=${2:-build/bin/Data}
cli=${LOTMARK_CLI:-build/bin/lotmark-cli}
siruta=$(ls "$raw"/siruta*.csv 2>/dev/null | sort | tail -n 1 || true)
if [ -z "$siruta" ] || [ ! -x "$cli" ]; then
    exit 0
fi
args=(nomenclature --siruta "$siruta")
if [ -d "$raw/mfp" ]; then
    for county in "$raw"/mfp/*/; do
        if ls "$county"nomArtereMF_*.xml >/dev/null 2>&1; then
            args+=(--streets-mfp "${county%/}")
        fi
    done
fi
if [ -f "$raw/posta-romana-bucuresti.json" ]; then
    args+=(--streets-posta "$raw/posta-romana-bucuresti.json")
fi
echo "Importing the national nomenclature from $raw into $data"
QT_QPA_PLATFORM=offscreen "$cli" "${args[@]}" -o "$data"
