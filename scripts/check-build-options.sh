#!/usr/bin/env bash
# Configures and builds, with tests and benchmarks, each option combination a
# user may choose that the presets do not: without the tool and server
# (EBANK_BUILD_TOOLS=OFF), without unixODBC (as if it were not installed), and
# without benchmarks. Each must build. ccache, when installed, shares the
# objects the builds have in common.
# Usage: scripts/check-build-options.sh [name...]   (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A options=(
  [tools-off]="-DEBANK_BUILD_TOOLS=OFF"
  [no-odbc]="-DCMAKE_DISABLE_FIND_PACKAGE_ODBC=ON"
  [benchmarks-off]="-DEBANK_BUILD_BENCHMARKS=OFF"
)
names=("$@")
[ ${#names[@]} -eq 0 ] && names=(tools-off no-odbc benchmarks-off)
scripts/install-deps.sh
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
fi
for name in "${names[@]}"; do
  [ -n "${options[$name]:-}" ] || { echo "check-build-options.sh: unknown '$name'" >&2; exit 2; }
  echo "=== $name: ${options[$name]}"
  build="build/options-$name"
  # shellcheck disable=SC2086  # the options are separate words
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DEBANK_WERROR=ON \
        -DEBANK_BUILD_TESTS=ON -DEBANK_BUILD_BENCHMARKS=ON ${options[$name]} >/dev/null
  cmake --build "$build"
done
echo "=== every option combination builds"
