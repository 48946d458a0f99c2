#!/bin/bash
# Times `provana convert` against pugixml's load, walk and save of the same
# generated configuration, as whole processes taken in turn, and prints the
# medians of wall time, CPU time and peak resident memory.
#
#   bench/compare-convert.sh BUILD_DIR [N ...]      (default N: 1000 10000)
#
# BUILD_DIR is a release build with PROVANA_BUILD_BENCH=ON, e.g.
#   cmake -S . -B build/rel -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DPROVANA_BUILD_TESTS=OFF -DPROVANA_BUILD_BENCH=ON
#   cmake --build build/rel --target provana provana_generate_config pugixml_convert
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR [N ...]}
shift
sizes=("${@:-1000}")
[ $# -eq 0 ] && sizes=(1000 10000)
runs=${RUNS:-5}
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run: "wall cpu peak_kib" of the command.
measure() {
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>&1
    awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$work/time"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-8s %-10s %8s %8s %9s\n' N program wall_s cpu_s peak_MiB
for n in "${sizes[@]}"; do
    config=$work/config-$n.xml
    "$bin/provana_generate_config" "$n" "$config"
    : >"$work/ours" && : >"$work/pugixml"
    for ((run = 0; run <= runs; ++run)); do
        ours=$(measure "$bin/provana" convert "$config" "$work/ours.xml")
        theirs=$(measure "$bin/pugixml_convert" "$config" "$work/pugixml.xml")
        # The first pair warms the caches and is not counted.
        if [ "$run" -gt 0 ]; then
            echo "$ours" >>"$work/ours"
            echo "$theirs" >>"$work/pugixml"
        fi
    done
    for program in ours pugixml; do
        wall=$(cut -d' ' -f1 "$work/$program" | median)
        cpu=$(cut -d' ' -f2 "$work/$program" | median)
        peak=$(cut -d' ' -f3 "$work/$program" | median)
        printf '%-8s %-10s %8s %8s %9.1f\n' "$n" "$program" "$wall" "$cpu" "$(echo "$peak / 1024" | bc -l)"
    done
done
