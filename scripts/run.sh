#!/usr/bin/env bash
# Installs what is needed, builds Vortan and runs it on the files given (by default the example
# chart). Without a display it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)"
[ $# -gt 0 ] || set -- examples/run3.spl
if [ -x build/release/vortan ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
        exec xvfb-run -a build/release/vortan "$@"
    fi
    exec build/release/vortan "$@"
fi
exec build/release/vortan-cli info "$@"
