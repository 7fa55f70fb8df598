#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted as .clang-format says. Works in a git
# checkout and in an exported source tree alike.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(find app bench chart cli fuzz tests viewer views -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = --fix ]; then
    echo "$files" | xargs clang-format -i
    exit 0
fi
if ! out=$(echo "$files" | xargs clang-format --dry-run --Werror 2>&1); then
    echo "$out" | grep -E "^[^ ].*(warning|error)" | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
    echo "run: ./scripts/check-format.sh --fix"
    exit 1
fi
echo "formatting: ok"
