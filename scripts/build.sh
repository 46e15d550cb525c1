#!/usr/bin/env bash
# Configures and builds one preset (native or win32). Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=$1; shift
cd "$root"
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" -- -k 0
