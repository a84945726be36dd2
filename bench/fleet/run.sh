#!/bin/sh
# /LIST and /COMPARE on copies of the sample installation, timed as runs of
# the built program: the mean of N runs each (goal: under 30 ms a run).
# Usage: bench/fleet/run.sh path/to/Engineering_Config [runs]
set -eu
program=${1:?the built Engineering_Config}
runs=${2:-20}
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for copy in mine other; do
    cp -R "$examples" "$work/$copy"
    cp "$program" "$work/$copy/Engineering/"
done
bench() { # name, arguments...
    name=$1
    shift
    start=$(date +%s%N)
    i=0
    while [ "$i" -lt "$runs" ]; do
        "$work/mine/Engineering/$(basename "$program")" "$@" >/dev/null 2>&1 || true
        i=$((i + 1))
    done
    end=$(date +%s%N)
    echo "$name: $(((end - start) / runs / 1000)) us a run (mean of $runs)"
}
bench "/LIST" /LIST
bench "/COMPARE" /COMPARE "$work/other"
