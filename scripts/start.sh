#!/usr/bin/env bash
# Builds Quicktock and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target quicktock
exec build/default/app/quicktock "$@"
