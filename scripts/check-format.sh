#!/usr/bin/env bash
# Checks that every C++ file the repository tracks is laid out as
# .clang-format says. `scripts/check-format.sh --fix` rewrites them instead.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "Some files are not formatted: run scripts/check-format.sh --fix" >&2
    exit 1
fi
echo "Formatting: ${#files[@]} files as .clang-format says"
