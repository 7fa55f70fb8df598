#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test twice: a normal build with warnings as
# errors, and a build under AddressSanitizer and UndefinedBehaviorSanitizer. Build output goes to
# build/logs/; the tests' own output is shown.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/step.sh
./scripts/install-deps.sh test
./scripts/check-format.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

step "configure (warnings as errors)" build/logs/configure-release.log \
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORTAN_WERROR=ON \
    -DVORTAN_TESTS=ON -DVORTAN_BENCH=ON
step "build" build/logs/build-release.log cmake --build build/release -j "$jobs"
echo "tests:"
ctest --test-dir build/release --output-on-failure -j "$jobs"

step "configure (sanitizers)" build/logs/configure-sanitize.log \
    cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORTAN_SANITIZE=ON \
    -DVORTAN_WERROR=ON -DVORTAN_TESTS=ON -DVORTAN_BENCH=OFF
step "build (sanitizers)" build/logs/build-sanitize.log cmake --build build/sanitize -j "$jobs"
echo "tests under the sanitizers:"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
