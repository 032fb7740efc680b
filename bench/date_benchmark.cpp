// Date parsing and conversion against the C library's broken-down time
// conversion (timegm) of the same dates.
#include <benchmark/benchmark.h>

#include <ctime>

#include "ebank/core/date.h"
#include "ebank/platform/oleaut/variant_time.h"

namespace {

void BM_ParseFormatYYYYMMDD(benchmark::State& state) {
  wchar_t text[] = L"20080505";
  ddCOM::Date date;
  for (auto _ : state) {
    date.ParseFormatYYYYMMDD(text);
    benchmark::DoNotOptimize(date);
  }
}
BENCHMARK(BM_ParseFormatYYYYMMDD);

void BM_SystemTimeToVariantTime(benchmark::State& state) {
  SYSTEMTIME time = {2008, 5, 1, 5, 14, 30, 7, 0};
  double value;
  for (auto _ : state) {
    benchmark::DoNotOptimize(time);
    benchmark::DoNotOptimize(SystemTimeToVariantTime(&time, &value));
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_SystemTimeToVariantTime);

void BM_VariantTimeToSystemTime(benchmark::State& state) {
  double value = 39573.604247685;
  SYSTEMTIME time;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(VariantTimeToSystemTime(value, &time));
    benchmark::DoNotOptimize(time);
  }
}
BENCHMARK(BM_VariantTimeToSystemTime);

void BM_TimegmReference(benchmark::State& state) {
  std::tm parts{};
  for (auto _ : state) {
    parts.tm_year = 108;
    parts.tm_mon = 4;
    parts.tm_mday = 5;
    parts.tm_hour = 14;
    parts.tm_min = 30;
    parts.tm_sec = 7;
    benchmark::DoNotOptimize(timegm(&parts));
  }
}
BENCHMARK(BM_TimegmReference);

}  // namespace
