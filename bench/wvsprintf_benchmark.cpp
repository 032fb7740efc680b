// wvsprintfA against snprintf producing the same text, for the formats the
// trace and the element paths use.
#include <benchmark/benchmark.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "ebank/platform/win32/wvsprintf.h"

namespace {

char buffer[1024];

// Calls through a va_list, as the trace writer does.
int WindowsFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = wvsprintfA(buffer, format, args);
  va_end(args);
  return length;
}

int RuntimeFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return length;
}

const char kFile[] = "/opt/ebank/src/banking/db_account.cpp";
const char kMessage[] = "Konto nicht gefunden: BLZ 37040044, Kontonummer 0532013000";

void BM_TraceLine_wvsprintfA(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(WindowsFormat("%s(%d): %s", kFile, 417, kMessage));
}
void BM_TraceLine_snprintf(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(RuntimeFormat("%s(%d): %s", kFile, 417, kMessage));
}

void BM_Hex_wvsprintfA(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(WindowsFormat("hr=0x%08x (%X)", 0x80004005u, 0xBEEFu));
  }
}
void BM_Hex_snprintf(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(RuntimeFormat("hr=0x%08x (%X)", 0x80004005u, 0xBEEFu));
  }
}

void BM_PaddedNumbers_wvsprintfA(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        WindowsFormat("%04d-%02d-%02d %02d:%02d:%02d %5d|%-6d|", 2024, 3, 9, 7, 5, 0, -42, 17));
  }
}
void BM_PaddedNumbers_snprintf(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        RuntimeFormat("%04d-%02d-%02d %02d:%02d:%02d %5d|%-6d|", 2024, 3, 9, 7, 5, 0, -42, 17));
  }
}

BENCHMARK(BM_TraceLine_wvsprintfA);
BENCHMARK(BM_TraceLine_snprintf);
BENCHMARK(BM_Hex_wvsprintfA);
BENCHMARK(BM_Hex_snprintf);
BENCHMARK(BM_PaddedNumbers_wvsprintfA);
BENCHMARK(BM_PaddedNumbers_snprintf);

}  // namespace
