#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzzer, one after another, for a bounded
# time on a copy of its seed corpus in fuzz/corpus/<name>/. A finding fails the
# run; its input is copied into fuzz/corpus/<name>/ as a regression case, which
# the fuzz preset's ctest replays from then on.
# Usage: scripts/fuzz.sh [seconds per fuzzer, default 60] [fuzzer names...]
# EBANK_FUZZ_BUILD_DIR overrides the build directory (default build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift $(($# > 0 ? 1 : 0))
build="${EBANK_FUZZ_BUILD_DIR:-build/fuzz}"

scripts/install-deps.sh fuzz

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in fuzz/*_fuzzer.cpp; do names+=("$(basename "$source" .cpp)"); done
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
for name in "${names[@]}"; do
  mkdir -p "$work/$name/corpus" "$work/$name/findings"
  cp -R "fuzz/corpus/$name/." "$work/$name/corpus/"
  # The registry parser reports every skipped line; the log keeps the rest.
  set +e
  "$build/fuzz/$name" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/$name/findings/" "$work/$name/corpus" 2>&1 |
    grep -av '^ebank registry: ' >"$work/$name/log"
  status=${PIPESTATUS[0]}
  set -e
  runs="$(grep -ao 'stat::number_of_executed_units: [0-9]*' "$work/$name/log" | grep -o '[0-9]*$' || true)"
  if [ "$status" -ne 0 ]; then
    failed+=("$name")
    for finding in "$work/$name/findings"/*; do
      [ -e "$finding" ] || continue
      cp "$finding" "fuzz/corpus/$name/regression-$(basename "$finding")"
      echo "$name: kept fuzz/corpus/$name/regression-$(basename "$finding")"
    done
    grep -a -A40 -m1 -E 'ERROR|check failed|runtime error' "$work/$name/log" || tail -40 "$work/$name/log"
    echo "$name: FAILED after ${runs:-?} executions"
  else
    echo "$name: ${runs:-?} executions in ${seconds}s, no finding"
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzers with findings: ${failed[*]}" >&2
  exit 1
fi
