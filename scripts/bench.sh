#!/usr/bin/env bash
# Builds the benchmarks, runs every one of them with repetitions and prints
# one table: the median time of each measured operation over its reference in
# the same run, against the target.
#
#   scripts/bench.sh                  the release preset (-O3)
#   scripts/bench.sh RelWithDebInfo   build/relwithdebinfo (-O2, as Debian packages build)
#
# BENCH_REPETITIONS (default 5) and BENCH_MIN_TIME (seconds per repetition,
# default 0.5) tune the runs. With EBANK_TEST_PG* set (eval "$(scripts/start-postgres.sh)")
# the typical request also runs on PostgreSQL. Raw results stay in
# <build>/bench-results/*.json.
set -euo pipefail
cd "$(dirname "$0")/.."

build_type="${1:-Release}"
case "$build_type" in
  Release | release)
    build=build/release
    cmake --preset release >/dev/null
    ;;
  RelWithDebInfo | relwithdebinfo)
    build=build/relwithdebinfo
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEBANK_BUILD_TESTS=OFF \
      -DEBANK_BUILD_BENCHMARKS=ON >/dev/null
    ;;
  *)
    echo "usage: $0 [Release|RelWithDebInfo]" >&2
    exit 2
    ;;
esac

# Both builds leave the tests out, so building everything builds the
# benchmarks (those whose dependencies this machine has).
cmake --build "$build" >&2
mapfile -t benchmarks < <(grep -o 'ebank_add_benchmark([a-z0-9_]*' bench/CMakeLists.txt | cut -d'(' -f2)

# Repetitions of a benchmark and its reference run interleaved in random
# order, so that neither side always runs first, on a page cache, heap or
# machine load the other one left behind.
results="$build/bench-results"
mkdir -p "$results"
for name in "${benchmarks[@]}"; do
  [[ -x "$build/bench/$name" ]] || continue
  echo "running $name" >&2
  "$build/bench/$name" --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
    --benchmark_min_time="${BENCH_MIN_TIME:-0.5}" --benchmark_report_aggregates_only=true \
    --benchmark_enable_random_interleaving=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json >"$results/$name.log" 2>&1
done

python3 - "$results" "$build_type" <<'EOF'
import glob, json, sys

# The median of each benchmark; a single repetition stands for itself.
medians = {}
for path in glob.glob(sys.argv[1] + "/*.json"):
    with open(path) as f:
        for run in json.load(f)["benchmarks"]:
            if "error_occurred" in run:
                continue
            if run.get("aggregate_name") == "median" or (
                    run.get("run_type") == "iteration" and run["run_name"] not in medians):
                medians[run["run_name"]] = run

def cpu(name):
    return medians[name]["cpu_time"] if name in medians else None

def real(name):
    return medians[name]["real_time"] if name in medians else None

def rate(name):
    return medians[name].get("items_per_second") if name in medians else None

def typical(side, db, threads):
    return "BM_TypicalRequest_%s/%s/real_time/threads:%d" % (side, db, threads)

# (row, measured, reference, target): time ratios must stay at or below
# their target.
ratios = [
    ("WrapperAccountFind / DirectOdbcQuery", "BM_WrapperAccountFind", "BM_DirectOdbcQuery", 1.5),
    ("PrivateOp_Ebank/1024 / OpenSSL", "BM_PrivateOp_Ebank/1024", "BM_PrivateOp_OpenSsl/1024", 1.2),
    ("PublicOp_Ebank/1024 / OpenSSL", "BM_PublicOp_Ebank/1024", "BM_PublicOp_OpenSsl/1024", 1.5),
    ("Md5_Ebank/65536 / OpenSSL", "BM_Md5_Ebank/65536", "BM_Md5_OpenSsl/65536", 1.0),
    ("TraceFileEntry / FprintfFflush", "BM_TraceFileEntry", "BM_FprintfFflush", 1.0),
    ("  the same, to the null device", "BM_TraceEntryToNullDevice",
     "BM_FprintfFflushToNullDevice", 1.0),
    ("KontoRoundTrip_CDBAccount / raw libxml2", "BM_KontoRoundTrip_CDBAccount",
     "BM_KontoRoundTrip_RawLibxml2", 1.3),
    ("ParseSwift / from_chars", "BM_ParseSwift", "BM_FromCharsDoubleReference", 1.5),
    ("BStringAppend/32 / std::wstring", "BM_BStringAppend/32", "BM_WStringAppend/32", 1.5),
    ("ReadKontoRecord_CXmlClass / raw libxml2", "BM_ReadKontoRecord_CXmlClass",
     "BM_ReadKontoRecord_RawLibxml2", 1.2),
]
for db in ("SQLite", "PostgreSQL"):
    ratios.append(("Typical request / direct, %s, 1 thread" % db, typical("Library", db, 1),
                   typical("Direct", db, 1), 1.5))

repetitions = max((run.get("repetitions", 1) for run in medians.values()), default=0)
print("Median of %d repetitions, build type %s; ratio = measured / reference."
      % (repetitions, sys.argv[2]))
print("Time is CPU time of the process (decides), wall time in brackets.")
print()
print("| %-52s | %15s | %6s | %-4s |" % ("Benchmark", "ratio (wall)", "target", "met"))
print("|%s|%s|%s|%s|" % ("-" * 54, "-" * 17, "-" * 8, "-" * 6))
for row, measured, reference, target in ratios:
    if cpu(measured) is None or cpu(reference) is None:
        print("| %-52s | %15s | %6s | %-4s |" % (row, "not run", "<= %.1f" % target, ""))
        continue
    ratio = cpu(measured) / cpu(reference)
    wall = real(measured) / real(reference)
    print("| %-52s | %6.2f (%6.2f) | %6s | %-4s |"
          % (row, ratio, wall, "<= %.1f" % target, "yes" if ratio <= target else "NO"))
# Throughput with 2 threads over 1 thread (wall-clock requests per second).
for db in ("SQLite", "PostgreSQL"):
    for side in ("Library", "Direct"):
        one, two = rate(typical(side, db, 1)), rate(typical(side, db, 2))
        row = "Typical request %s, %s: 2 / 1 threads" % (side.lower(), db)
        if not one or not two:
            print("| %-52s | %15s | %6s | %-4s |" % (row, "not run", ">= 1.8", ""))
            continue
        scaling = two / one
        met = "yes" if scaling >= 1.8 else "NO"
        print("| %-52s | %15.2f | %6s | %-4s |"
              % (row, scaling, ">= 1.8", met if side == "Library" else "ref"))
EOF
