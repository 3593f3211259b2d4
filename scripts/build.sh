#!/usr/bin/env bash
# Configures (once) and builds into build/ (or $QUORVANE_BUILD_DIR). Extra arguments
# go to the first configure, e.g. -DQUORVANE_SANITIZE=ON.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVANE_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"
