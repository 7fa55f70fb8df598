#!/usr/bin/env bash
# Prints the lines of test code against the lines of product code (chart, viewer, views, app, cli),
# counted as wc -l counts them, and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }
tests=$(count tests)
product=$(count chart viewer views app cli)
awk -v t="$tests" -v p="$product" 'BEGIN { printf "tests %d lines, product %d lines, ratio %.2f\n", t, p, t / p }'
