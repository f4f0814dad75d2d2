#!/usr/bin/env bash
# Runs the whole CTest suite of one build directory inside a fresh network namespace with
# no route out. Inside it the window's side ("pc") gets addresses on a veth pair whose
# other end lives in a second namespace ("dev", named uniquely for this run) where tests
# start the fake device and fake peers. Both namespaces are gone when the run ends.
#
#   scripts/run-tests.sh BUILD_DIR [ctest arguments...]
set -euo pipefail

build=$(cd "$1" && pwd); shift
here=$(cd "$(dirname "$0")" && pwd)

if [ "${TEST_NETNS:-}" != "1" ]; then
  exec unshare --net -- env TEST_NETNS=1 TEST_HOST_NETNS="$(readlink /proc/self/ns/net)" \
    "$here/run-tests.sh" "$build" "$@"
fi

# From here on we are inside the isolated namespace: not the one we were started in.
self_ns=$(readlink /proc/self/ns/net)
[ -n "$self_ns" ] && [ "$self_ns" != "${TEST_HOST_NETNS:-}" ] && [ "$self_ns" != "$(readlink /proc/1/ns/net 2>/dev/null)" ] || {
  echo "run-tests: refusing to run outside an isolated network namespace" >&2; exit 1; }

dev="devtest-$$-$RANDOM"
cleanup() {
  for pid in $(ip netns pids "$dev" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
  ip netns del "$dev" 2>/dev/null || true
}
trap cleanup EXIT

ip link set lo up
ip netns add "$dev"
ip link add pc0 type veth peer name dev0
ip link set dev0 netns "$dev"
# The program's default destinations live on the dev side: the device (192.168.1.1), the
# TCP peer (192.168.119.141) and the UDP text host (192.168.13.41).
ip addr add 192.168.1.2/24 dev pc0
ip addr add 192.168.119.2/24 dev pc0
ip addr add 192.168.13.2/24 dev pc0
ip link set pc0 up
ip netns exec "$dev" ip link set lo up
ip netns exec "$dev" ip addr add 192.168.1.1/24 dev dev0
ip netns exec "$dev" ip addr add 192.168.119.141/24 dev dev0
ip netns exec "$dev" ip addr add 192.168.13.41/24 dev dev0
ip netns exec "$dev" ip link set dev0 up

export TEST_DEV_NETNS="$dev"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure "$@"
