#!/usr/bin/env bash
# Builds Kavo with the sanitizers on and runs every test suite shuffled, then once more under
# a comma-decimal locale (numbers in files must not follow the locale). Installs what it
# needs first (see scripts/install-deps.sh).
# Usage: scripts/test.sh [PRESET]   (default: ci; dev for a debug build)
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-ci}"
bash scripts/install-deps.sh all

# Formatting is part of the build.
git ls-files 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.cpp' 'fuzz/*.h' 'fuzz/*.cpp' \
    | xargs -r clang-format --dry-run --Werror

cmake --preset "$preset"
cmake --build --preset "$preset"
# Two suites at a time: each works in its own temporary folders.
GTEST_SHUFFLE=1 ctest --preset "$preset" --parallel 2
# The package test builds a Debian package: nothing in it follows the locale.
GTEST_SHUFFLE=1 LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 ctest --preset "$preset" --parallel 2 \
    --label-exclude package

# Every reader fuzzed for a few seconds (clang and libFuzzer; the seeds in fuzz/corpus/).
cmake --preset fuzz
cmake --build --preset fuzz
scripts/run_fuzz.sh 10
