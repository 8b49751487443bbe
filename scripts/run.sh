#!/usr/bin/env bash
# Installs what is missing, builds and starts Termix; arguments go to the program and relative
# paths among them mean the folder you started from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
(
    cd "$root"
    scripts/install-deps.sh
    cmake --preset default >/dev/null
    cmake --build --preset default
)
exec "$root/build/default/src/app/termix" "$@"
