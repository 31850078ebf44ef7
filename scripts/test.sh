#!/usr/bin/env bash
# Installs, builds and runs the whole test suite, PostgreSQL tests included.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

pgdir=$(mktemp -d /tmp/membercard-pg.XXXXXX)
trap 'bash scripts/pg-test-cluster.sh stop "$pgdir"' EXIT
export "$(bash scripts/pg-test-cluster.sh start "$pgdir")"
export QT_QPA_PLATFORM=offscreen

ctest --test-dir build -j"$(nproc)" --output-on-failure --no-tests=error "$@"
