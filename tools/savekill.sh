#!/bin/bash
# Starts a continued save into ten draws' ticket files again and again, kills it with SIGKILL
# after a random time, and checks the files as the next start finds them: every file holds as
# many saves as the others. Prints the runs whose files were mixed.
#
#   bash tools/savekill.sh <build folder> [runs] [--raw]
# --raw checks the files right after the kill, without the start's completion of a save cut
# short: the same loop then shows what a crash leaves behind.
set -u
build=${1:?build folder}
runs=${2:-100}
raw=${3:-}
tool="$build/bin/loto6_savekill"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mixed=0
for ((run = 1; run <= runs; run++)); do
    rm -rf "$work/data"
    mkdir -p "$work/data/client"
    "$tool" save "$work/data" &
    pid=$!
    # 5 to 300 ms: many saves of ten files each, cut anywhere.
    sleep "$(printf '0.%03d' $((5 + RANDOM % 296)))"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    if ! result=$("$tool" check "$work/data" $raw); then
        mixed=$((mixed + 1))
        echo "run $run: $result"
    fi
done
echo "$runs runs, $mixed with mixed files"
