#!/usr/bin/env bash
# Builds everything and runs the whole test suite. Usage: scripts/test.sh [preset]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
scripts/build.sh "$preset"
ctest --preset "$preset" -j "$(nproc)"
