#!/usr/bin/env bash
# Prints the fuzzing totals of fuzz/runs.tsv per target as a Markdown table (the one in
# docs/reliability.md): runs, seconds, executions, executions per second, the largest
# coverage reached and the fault inputs kept.
set -euo pipefail
cd "$(dirname "$0")/.."
awk -F '\t' '
NR == 1 { next }
{
    if (!($2 in runs)) order[++targets] = $2
    runs[$2]++; seconds[$2] += $3; executions[$2] += $4; faults[$2] += $7
    if ($5 > coverage[$2]) coverage[$2] = $5
    total_runs++; total_seconds += $3; total_executions += $4; total_faults += $7
}
function grouped(n,   s) {
    s = sprintf("%d", n)
    while (s ~ /[0-9][0-9][0-9][0-9]/) sub(/[0-9][0-9][0-9]($|,)/, ",&", s)
    return s
}
END {
    print "| target | runs | seconds | executions | executions/s | coverage (edges) | fault inputs |"
    print "| --- | --- | --- | --- | --- | --- | --- |"
    for (i = 1; i <= targets; i++) {
        t = order[i]
        printf "| `%s` | %d | %s | %s | %s | %d | %d |\n", t, runs[t], grouped(seconds[t]), grouped(executions[t]),
               grouped(seconds[t] ? executions[t] / seconds[t] : 0), coverage[t], faults[t]
    }
    printf "| all | %d | %s (%.1f h) | %s | | | %d |\n", total_runs, grouped(total_seconds), total_seconds / 3600,
           grouped(total_executions), total_faults
}' fuzz/runs.tsv
