#!/usr/bin/env bash
# Mutation check: applies each single-line fault of scripts/mutants.txt (or the file given) to a
# copy of the tree, builds the tests and runs them. A fault the tests catch is "caught"; one they
# miss "survived"; one whose text is no longer in the code, or
# that does not build, "gone". Prints a line per fault and the
# totals. Takes a while: every fault rebuilds what depends on the changed file.
set -euo pipefail
cd "$(dirname "$0")/.."
list=$(realpath "${1:-scripts/mutants.txt}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar --exclude=./build --exclude=./.git -cf - . | tar -C "$work" -xf -
cd "$work"
export QT_QPA_PLATFORM=offscreen
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Paths relative to the copy, so that the compiler cache serves every run, wherever its copy lies.
export CCACHE_BASEDIR="$work"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORTAN_BENCH=OFF "${launcher[@]}" >/dev/null
# The headless tests first: most faults are caught there, and only a fault they miss costs the
# build of the GUI tests.
run_tests() {
    cmake --build build -j "$(nproc)" --target vortan_core_tests vortan-cli >build/last-build.log 2>&1 ||
        return 2
    timeout 600 build/tests/vortan_core_tests --gtest_brief=1 >build/last-test.log 2>&1 || return 1
    cmake --build build -j "$(nproc)" >build/last-build.log 2>&1 || return 2
    ctest --test-dir build -j "$(nproc)" --timeout 120 >build/last-test.log 2>&1
}
if ! run_tests; then
    echo "the unchanged tree does not pass its tests; see a build of it first" >&2
    exit 1
fi
caught=0 survived=0 gone=0
while IFS=$'\t' read -r file from to; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    cp "$file" "$file.orig"
    if ! python3 - "$file" "$from" "$to" <<'PY'
import sys
path, old, new = sys.argv[1:4]
text = open(path, encoding="utf-8").read()
if old not in text:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new, 1))
PY
    then
        echo "gone      $file: $from"
        rm -f "$file.orig"
        gone=$((gone + 1))
        continue
    fi
    status=0
    run_tests || status=$?
    case $status in
        0) echo "SURVIVED  $file: $from"; survived=$((survived + 1)) ;;
        2) echo "no build  $file: $from"; gone=$((gone + 1)) ;;
        *) echo "caught    $file: $from"; caught=$((caught + 1)) ;;
    esac
    mv "$file.orig" "$file"
    # The restored copy carries the time it was copied, older than the faulty build: without a
    # fresh time the next build would keep this fault in and every later result would carry it.
    touch "$file"
done <"$list"
echo "mutants: $caught caught, $survived survived, $gone gone"
