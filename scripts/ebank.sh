#!/usr/bin/env bash
# Builds everything and runs the ebank tool; arguments are passed to it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh dev >&2
exec build/dev/tools/ebank/ebank "$@"
