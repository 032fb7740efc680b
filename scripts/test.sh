#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite under each
# sanitizer in turn: AddressSanitizer with UndefinedBehaviorSanitizer (asan),
# then ThreadSanitizer (tsan). Other presets can be named instead.
# Usage: scripts/test.sh [preset...]   (default: asan tsan)
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(asan tsan)
scripts/install-deps.sh
export EBANK_DEPS_INSTALLED=1
for preset in "${presets[@]}"; do
  scripts/build.sh "$preset"
  ctest --preset "$preset" -j "$(nproc)"
done
