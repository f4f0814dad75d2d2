#!/usr/bin/env bash
# Runs the benchmark programs of one build directory inside a fresh network namespace that
# holds nothing but the loopback, and prints their figures as "name: value unit" lines.
# Diagnostics go to stderr. Every run is bounded in time: under three minutes in all.
#
#   scripts/run-bench.sh BUILD_DIR [bench_listener options...]
#
# Extra options go to both bench_listener runs (for a quick look, e.g.
# "--count 20000 --log-lines 10000,100000 --max-seconds 5"). STARTUP_RUNS (default 7) sets
# how many start-ups the median is taken over.
set -euo pipefail

build=$(cd "$1" && pwd); shift
here=$(cd "$(dirname "$0")" && pwd)

if [ "${BENCH_NETNS:-}" != "1" ]; then
  exec unshare --net -- env BENCH_NETNS=1 BENCH_OUTER_NETNS="$(readlink /proc/self/ns/net)" \
    "$here/run-bench.sh" "$build" "$@"
fi

# From here on we are inside the isolated namespace; the senders run nowhere else. The
# first process's namespace is often unreadable, so compare with the one we came from too.
ns=$(readlink /proc/self/ns/net)
if [ -z "$ns" ] || [ "$ns" = "${BENCH_OUTER_NETNS:-}" ] || [ "$ns" = "$(readlink /proc/1/ns/net 2>/dev/null)" ]; then
  echo "run-bench: refusing to run outside an isolated network namespace" >&2; exit 1
fi
ip link set lo up
if ip -o link show | grep -v ': lo:' | grep -q .; then
  echo "run-bench: refusing to run: the namespace has interfaces other than the loopback" >&2; exit 1
fi

bin="$build/bench"
for program in bench_listener flooder bare_echo bench_startup; do
  [ -x "$bin/$program" ] || { echo "run-bench: $bin/$program is missing; build first" >&2; exit 1; }
done

# The window's history file and every other temporary file go to a folder of this run.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
cd "$work"
# The offscreen platform warns about every window it cannot size by hint; nothing to see.
exec 2> >(grep --line-buffered -v 'does not support propagateSizeHints' >&2)

began=$EPOCHREALTIME

echo "# listener path and responsiveness" >&2
"$bin/bench_listener" --mode flood "$@"

echo "# log growth" >&2
"$bin/bench_listener" --mode log "$@"

echo "# start-up" >&2
runs=${STARTUP_RUNS:-7}
paint=()
show=()
for ((i = 0; i < runs; i++)); do
  out=$(BENCH_T0_US=${EPOCHREALTIME/./} "$bin/bench_startup")
  paint+=("$(sed -n 's/^startup_ms: \([0-9.]*\) ms$/\1/p' <<<"$out")")
  show+=("$(sed -n 's/^startup_show_ms: \([0-9.]*\) ms$/\1/p' <<<"$out")")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "  [first paint over $runs runs: ${paint[*]} ms]" >&2
echo "startup_median: $(median "${paint[@]}") ms"
echo "startup_show_median: $(median "${show[@]}") ms"

ended=$EPOCHREALTIME
awk -v a="$began" -v b="$ended" 'BEGIN { printf "bench_total_s: %.1f s\n", b - a }'
