#!/usr/bin/env bash
# Installs, builds and starts the program on its demonstration account set.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/frame/membercard "$@"
