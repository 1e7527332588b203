#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/
# (or the folder given as $1) and runs the whole test suite under them. A separate folder,
# so the normal build stays as it is; ccache keeps later runs short.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-sanitize}
bash tools/setup.sh
export CCACHE_BASEDIR=$PWD
start=$(date +%s)
bash tools/build.sh "$build_dir" -DLOTMARK_SANITIZE=ON
built=$(date +%s)
# Qt and the graphics stack keep a few process-lifetime allocations; tools/lsan.supp lists them
# so that a leak of our own still fails the run.
export ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0:strict_string_checks=1:detect_stack_use_after_return=0:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure --timeout 900 -j "$(nproc)"
echo "sanitizer build: $((built - start)) s, tests: $(($(date +%s) - built)) s"
