#!/usr/bin/env bash
# Fuzzes one reader for a given time:  fuzz/run.sh TARGET SECONDS [BUILD_DIR]
#   TARGET: cpfile dxf paste settings siruta streets lookupfilter rtf cgxml (or "all", SECONDS each)
# Builds the libFuzzer targets with clang into build-fuzz/ (preset "fuzz") when needed, runs the
# target at low priority on a working corpus seeded from fuzz/corpus/TARGET and the test
# fixtures, then
#   - copies every crash, leak, time-out or out-of-memory input into
#     tests/data/fuzz-regressions/TARGET/ (the fuzz_replay_TARGET test replays it in every build),
#   - merges the inputs that reached new code into fuzz/corpus/TARGET (commit them, so the next
#     run starts where this one stopped),
#   - appends the run's figures to fuzz/runs.tsv.
# Exits 1 when the run found a fault. Set LOTMARK_FUZZ_NO_BUILD=1 to skip the rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
targets=(cpfile dxf paste settings siruta streets lookupfilter rtf cgxml)
if [ $# -lt 2 ]; then
    echo "usage: fuzz/run.sh TARGET|all SECONDS [BUILD_DIR]" >&2
    exit 2
fi
target=$1
seconds=$2
build=${3:-build-fuzz}
if [ "$target" = all ]; then
    status=0
    for t in "${targets[@]}"; do
        bash "$0" "$t" "$seconds" "$build" || status=1
    done
    exit $status
fi
case " ${targets[*]} " in
*" $target "*) ;;
*) echo "unknown target: $target" >&2; exit 2 ;;
esac

if ! command -v clang++ >/dev/null || [ ! -e /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a ]; then
    echo "fuzz/run.sh needs clang with libFuzzer: apt-get install clang libclang-rt-14-dev" >&2
    exit 2
fi
binary=$build/bin/fuzz_$target
if [ ! -f "$build/CMakeCache.txt" ]; then
    CCACHE_BASEDIR=$root cmake --preset fuzz -B "$build" >/dev/null
fi
mkdir -p "$build/fuzz-work"
# LOTMARK_FUZZ_NO_BUILD=1 fuzzes the binary as it is (when others keep changing the sources).
if [ "${LOTMARK_FUZZ_NO_BUILD:-0}" = 1 ] && [ -x "$binary" ]; then
    :
elif ! CCACHE_BASEDIR=$root nice -n 10 cmake --build "$build" --target "fuzz_$target" >"$build/fuzz-work/build.log" 2>&1; then
    tail -30 "$build/fuzz-work/build.log" >&2
    exit 2
fi

seeds=("fuzz/corpus/$target")
case $target in
dxf) seeds+=(tests/data/dxf) ;;
cgxml) seeds+=(tests/data/cgxml) ;;
siruta) seeds+=(tests/data/lookup/siruta-small.csv) ;;
streets) seeds+=(tests/data/lookup/streets tests/data/lookup/posta-small.json) ;;
esac
work=$build/fuzz-work/$target
mkdir -p "$work/corpus" "$work/artifacts" "$work/seeds" "fuzz/corpus/$target" "tests/data/fuzz-regressions/$target"
# libFuzzer reads folders only: single fixture files are linked into one.
for seed in "${seeds[@]}"; do
    if [ -f "$seed" ]; then
        ln -sf "$root/$seed" "$work/seeds/$(basename "$seed")"
    elif [ -d "$seed" ]; then
        for file in "$seed"/*; do [ -f "$file" ] && ln -sf "$root/$file" "$work/seeds/$(basename "$file")"; done
    fi
done

rm -f "$work"/artifacts/*
log=$work/last-run.log
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
# The settings target saves a file for every input; where a memory file system is at hand its
# temporary folder goes there, since a save's sync to disk would cost more than the input.
if [ "$target" = settings ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
started=$(date +%s)
set +e
nice -n 10 "$binary" "$work/corpus" "$work/seeds" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 \
    -malloc_limit_mb=1024 -max_len=65536 -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$log" 2>&1
status=$?
set -e
elapsed=$(($(date +%s) - started))

found=0
for artifact in "$work"/artifacts/*; do
    [ -f "$artifact" ] || continue
    name=$(basename "$artifact")
    if [ ! -e "tests/data/fuzz-regressions/$target/$name" ]; then
        cp "$artifact" "tests/data/fuzz-regressions/$target/$name"
        echo "new fault input: tests/data/fuzz-regressions/$target/$name"
    fi
    found=$((found + 1))
done

# Keep only inputs that add coverage to the committed corpus.
nice -n 10 "$binary" -merge=1 -max_len=65536 "fuzz/corpus/$target" "$work/corpus" >"$work/merge.log" 2>&1 || true

executions=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
peak=$(grep -o 'stat::peak_rss_mb: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
[ -f fuzz/runs.tsv ] || printf 'date\ttarget\tseconds\texecutions\tcoverage\tpeak_rss_mb\tfaults\n' >fuzz/runs.tsv
printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%M)" "$target" "$elapsed" "${executions:-0}" \
    "${coverage:-0}" "${peak:-0}" "$found" >>fuzz/runs.tsv
echo "$target: ${elapsed} s, ${executions:-0} executions, coverage ${coverage:-0}, faults $found (log: $log)"
if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    tail -40 "$log" >&2
    exit 1
fi
