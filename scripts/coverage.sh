#!/usr/bin/env bash
# Builds the coverage preset (a plain Debug build with gcov counters), runs the
# tests and reports the line and branch coverage of ebank/ per folder (gcovr),
# test sources, fixtures and test data left out. Fails when a test fails or
# when ebank/ as a whole falls below 95% of its lines or 70% of its branches.
# Usage: scripts/coverage.sh [build directory, default build/coverage]
# Leaves the per-file report in <build>/coverage.txt and the totals in
# <build>/coverage.json.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/coverage}"

scripts/install-deps.sh coverage

cmake --preset coverage -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"
find "$build" -name '*.gcda' -delete
# A failing test still leaves its counters; report them, then fail.
status=0
ctest --test-dir "$build" -j "$(nproc)" --output-on-failure || status=$?

filters=(--root . --object-directory "$build" --filter 'ebank/'
         --exclude-directories '.*/tests/install/.*'
         --exclude '.*_test\.cpp$' --exclude '.*test_fixture\.h$' --exclude '.*_for_testing\.h$'
         --exclude '.*_test_support\.h$' --exclude '.*_expected\.inc$' --exclude '.*/testing/.*'
         --exclude-unreachable-branches --exclude-throw-branches)
gcovr "${filters[@]}" --txt "$build/coverage.txt" --json-summary "$build/coverage.json"

python3 - "$build/coverage.json" <<'PY' || status=1
import collections, json, sys
MIN_LINES, MIN_BRANCHES = 95.0, 70.0
files = json.load(open(sys.argv[1]))["files"]
totals = collections.defaultdict(lambda: [0, 0, 0, 0])
for f in files:
    parts = f["filename"].split("/")
    folder = "/".join(parts[:3] if parts[1] == "platform" and len(parts) > 3 else parts[:2])
    for key in (folder, "ebank (all)"):
        t = totals[key]
        t[0] += f["line_covered"]; t[1] += f["line_total"]
        t[2] += f["branch_covered"]; t[3] += f["branch_total"]
def pct(a, b):
    return f"{100.0 * a / b:5.1f}%" if b else "   - "
print(f"{'folder':28} {'lines':>16} {'branches':>16}")
for folder in sorted(totals):
    lc, lt, bc, bt = totals[folder]
    print(f"{folder:28} {pct(lc, lt)} {lc:5}/{lt:<5} {pct(bc, bt)} {bc:5}/{bt:<5}")
lc, lt, bc, bt = totals["ebank (all)"]
if 100.0 * lc < MIN_LINES * lt or 100.0 * bc < MIN_BRANCHES * bt:
    sys.exit(f"coverage of ebank/ below {MIN_LINES:.0f}% of lines or {MIN_BRANCHES:.0f}% of branches")
PY
exit "$status"
