#!/bin/bash
# Times opening a configuration in the editor as a user does it: `orvenet FILE`
# under a virtual display, in an environment of its own, from the start of
# the process until it has shown the tree and gone idle. The host's CPU time
# is sampled every 20 ms; the moment its last busy stretch ended (no CPU used
# for the next 500 ms) counts as "shown". A screenshot at the end shows what
# was on the screen.
#
#   bench/open-in-editor.sh BUILD_DIR FILE [RUNS] [SHOT.png]
#
# BUILD_DIR needs orvenet, Provix.so and the language library (a release
# build: cmake --build build/rel --target orvenet Provix ProvixLang).
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR FILE [RUNS] [SHOT.png]}" && pwd)
file=$(realpath "${2:?usage: $0 BUILD_DIR FILE [RUNS] [SHOT.png]}")
runs=${3:-5}
shot=${4:-}
bin=$build/bin
for tool in xvfb-run import; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing (apt-get install xvfb imagemagick)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" TALVIK_REGISTRY="$work/registry"
export TALVIK_PHONE="$work/phone" TALVIK_RUNTIME="$work/run/talvik" PROVANA_LANGUAGE=en
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$bin/orvenet" --register "$bin/Provix.so" >/dev/null 2>&1

# One run on the display of xvfb-run: prints the seconds until idle.
cat >"$work/one-run" <<'RUN'
bin=$1 file=$2 shot=$3
start=$(date +%s.%N)
"$bin/orvenet" "$file" >/dev/null 2>&1 &
pid=$!
last_cpu=-1 last_busy=$start
while kill -0 "$pid" 2>/dev/null; do
    cpu=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    now=$(date +%s.%N)
    if [ "$cpu" != "$last_cpu" ]; then
        last_cpu=$cpu last_busy=$now
    elif (($(echo "$now - $last_busy > 0.5" | bc))); then
        break
    fi
    sleep 0.02
done
[ -n "$shot" ] && import -window root "$shot"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
echo "$last_busy - $start" | bc
RUN

for ((run = 1; run <= runs; ++run)); do
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/one-run" "$bin" "$file" \
        "$([ "$run" -eq "$runs" ] && echo "$shot")"
done | sort -g | awk '{ v[NR] = $1 } END { printf "median %.2f s of %d runs (min %.2f, max %.2f)\n", v[int((NR + 1) / 2)], NR, v[1], v[NR] }'
