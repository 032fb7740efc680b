#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzzer, one after another, on a copy of
# its corpus in fuzz/corpus/<name>/, within the budget every parser keeps for
# hostile input: inputs up to 64 KiB (-max_len=65536), 2 s per input
# (-timeout=2), 512 MB resident (-rss_limit_mb=512) and no single allocation
# of 256 MB or more (-malloc_limit_mb=256). Those are the plain budgets (well
# under a second and 256 MB) with room for the sanitizers' overhead. A crash,
# a failed check, a sanitizer report, a leak, a slow input or one that takes
# too much memory is a finding: it fails the run, and its input is copied into
# fuzz/corpus/<name>/ as regression-<kind>-<sha1>, which every later run and
# the fuzz preset's ctest replay from then on.
#
# Memory: AddressSanitizer keeps freed blocks in a quarantine to catch use
# after free, and that memory counts in the resident size. Its default of
# 256 MB took half the limit on its own (node_copy_fuzzer peaked at 487 MB,
# currency_fuzzer at 512 MB after 30 s). The runs set quarantine_size_mb=32:
# one input frees far less than that, so a use after free within an input is
# still caught, and the limit measures what the program holds. With it the
# fuzzers peak between 100 and 200 MB.
#
# Usage: scripts/fuzz.sh [options] [seconds per fuzzer, default 60; 0: no
#        time bound] [fuzzer names...; default all]
#   --runs N   stop each fuzzer after N executions
#   --jobs N   fuzz with N processes at once (libFuzzer's fork mode)
#   --merge    after a run without findings, merge what it found into
#              fuzz/corpus/<name>/, so that the next run starts where this
#              one stopped (commit the result)
#
# Merging keeps every named input (hand-written seeds, regression-* findings)
# and replaces the inputs named by their SHA-1 with libFuzzer's minimised
# merge (-merge=1) of the old ones and those the run found: the smallest set
# that reaches every feature (coverage edge and hit-count bucket) they reach
# beyond the named ones. The merge runs each input under the same budget.
# EBANK_FUZZ_BUILD_DIR overrides the build directory (default build/fuzz).
set -euo pipefail

budget=(-max_len=65536 -timeout=2 -rss_limit_mb=512 -malloc_limit_mb=256)

# merge_found <fuzzer> <corpus the run grew> <scratch directory>
merge_found() {
  local name="$1" grown="$2" corpus="fuzz/corpus/$1" merged="$3/merged" found="$3/found"
  mkdir -p "$merged" "$found"
  local input
  for input in "$corpus"/* "$grown"/*; do
    if [[ "$(basename "$input")" =~ ^[0-9a-f]{40}$ ]]; then
      cp "$input" "$found/"
    elif [ "$(dirname "$input")" = "$corpus" ]; then
      cp "$input" "$merged/"
    fi
  done
  if ! "$build/fuzz/$name" "${budget[@]}" -merge=1 "$merged" "$found" >"$3/merge.log" 2>&1; then
    tail -20 "$3/merge.log"
    echo "$name: merge failed" >&2
    return 1
  fi
  find "$corpus" -maxdepth 1 -type f -regextype egrep -regex '.*/[0-9a-f]{40}' -delete
  find "$merged" -maxdepth 1 -type f -regextype egrep -regex '.*/[0-9a-f]{40}' \
    -exec cp {} "$corpus/" \;
  echo "$name: corpus merged: $(find "$corpus" -type f | wc -l) inputs," \
    "$(($(du -sb "$corpus" | cut -f1) / 1024)) KiB"
}

# fuzz_one <fuzzer> <scratch directory>; fails on a finding.
fuzz_one() {
  local name="$1" scratch="$2"
  mkdir -p "$scratch/corpus" "$scratch/findings"
  cp -R "fuzz/corpus/$name/." "$scratch/corpus/"
  local start=$SECONDS status=0
  /usr/bin/time -f "peak_rss_kb %M" -o "$scratch/time" \
    "$build/fuzz/$name" "${budget[@]}" "${fork[@]}" -max_total_time="$seconds" -runs="$runs" \
    -print_final_stats=1 -artifact_prefix="$scratch/findings/" "$scratch/corpus" \
    >"$scratch/log" 2>&1 || status=$?
  local executions rss_kb
  if [ "$jobs" -gt 0 ]; then  # the fork's last status line counts all jobs
    executions="$(grep -ao '^#[0-9]*: ' "$scratch/log" | tail -1 | tr -dc '0-9' || true)"
  else
    executions="$(grep -ao 'stat::number_of_executed_units: [0-9]*' "$scratch/log" |
      grep -o '[0-9]*$' || true)"
  fi
  rss_kb="$(sed -n 's/^peak_rss_kb //p' "$scratch/time")"
  local summary="${executions:-?} executions in $((SECONDS - start))s,"
  summary+=" peak RSS $((${rss_kb:-0} / 1024)) MB"
  if [ "$status" -eq 0 ]; then
    echo "$name: $summary, no finding"
    if [ "$merge" -eq 1 ]; then merge_found "$name" "$scratch/corpus" "$scratch" || return 1; fi
    return 0
  fi
  local finding
  for finding in "$scratch/findings"/*; do
    [ -e "$finding" ] || continue
    cp "$finding" "fuzz/corpus/$name/regression-$(basename "$finding")"
    echo "$name: kept fuzz/corpus/$name/regression-$(basename "$finding")"
  done
  grep -a -A40 -m1 -E 'ERROR|check failed|runtime error' "$scratch/log" || tail -40 "$scratch/log"
  echo "$name: FAILED after $summary"
  return 1
}

main() {
  cd "$(dirname "$0")/.."
  runs=-1 jobs=0 merge=0
  while [ $# -gt 0 ]; do
    case "$1" in
      --runs) runs="$2"; shift 2 ;;
      --jobs) jobs="$2"; shift 2 ;;
      --merge) merge=1; shift ;;
      *) break ;;
    esac
  done
  seconds="${1:-60}"
  shift $(($# > 0 ? 1 : 0))
  build="${EBANK_FUZZ_BUILD_DIR:-build/fuzz}"
  fork=()
  if [ "$jobs" -gt 0 ]; then
    # Fork mode ignores timeouts and memory overruns unless told otherwise.
    fork=(-fork="$jobs" -ignore_crashes=0 -ignore_timeouts=0 -ignore_ooms=0)
  fi
  export ASAN_OPTIONS="quarantine_size_mb=32${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  # As in ctest: no fuzzer reads the machine's registry.
  export EBANK_REGISTRY=/nonexistent/ebank-fuzz.reg

  scripts/install-deps.sh fuzz
  cmake --preset fuzz -B "$build" >/dev/null
  cmake --build "$build" -j "$(nproc)"

  local names=("$@")
  if [ ${#names[@]} -eq 0 ]; then
    for source in fuzz/*_fuzzer.cpp; do names+=("$(basename "$source" .cpp)"); done
  fi
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  local failed=() name
  for name in "${names[@]}"; do
    fuzz_one "$name" "$work/$name" || failed+=("$name")
  done
  if [ ${#failed[@]} -ne 0 ]; then
    echo "failed fuzzers: ${failed[*]}" >&2
    return 1
  fi
}

# The whole file is read before anything runs, so that editing the script or
# checking out another version during a long run leaves the run as it was.
main "$@"
exit
