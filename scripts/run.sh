#!/usr/bin/env bash
# Installs what the program needs, builds it and runs it on the files given (by default the example
# chart). Without a display it runs under Xvfb. Build output goes to build/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/step.sh
./scripts/install-deps.sh run
step "configure" build/logs/configure-release.log \
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORTAN_TESTS=OFF -DVORTAN_BENCH=OFF
step "build the program" build/logs/build-release.log \
    cmake --build build/release -j "$(nproc)" --target vortan
[ $# -gt 0 ] || set -- examples/run3.spl
echo "starting: build/release/vortan $*"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "no display: running under Xvfb (nothing on view; see the README for a screenshot)"
    exec xvfb-run -a build/release/vortan "$@"
fi
exec build/release/vortan "$@"
