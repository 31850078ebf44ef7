#!/usr/bin/env bash
# Runs the demo host program against the simulator command, as a person without a reader would.
set -euo pipefail
sim=$1 demo=$2
out=$(mktemp)
"$sim" >"$out" &
pid=$!
trap 'kill "$pid" 2>/dev/null; rm -f "$out"' EXIT
for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
TAVRIK_COM1=$(head -n 1 "$out") "$demo" 1
