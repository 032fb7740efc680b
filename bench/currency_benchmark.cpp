// Currency arithmetic and text forms against the standard conversions of the
// same amounts (std::to_chars / std::from_chars of the double value) and
// against plain 128-bit integer arithmetic.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstring>
#include <vector>

#include "ebank/core/bstring.h"
#include "ebank/core/currency.h"

namespace {

ddCOM::Currency Raw(long long raw) {
  CY cy;
  cy.int64 = raw;
  return ddCOM::Currency(cy);
}

// Typical amounts: cents to millions, some with four decimals.
const std::vector<long long>& Amounts() {
  static const std::vector<long long> amounts = {12345000,  120000,      1,          -34560,
                                                 999999999, 12345678901, -5000,      71000,
                                                 250,       98765432100, 1234567890, 100000000};
  return amounts;
}

void BM_MultiplyFast(benchmark::State& state) {
  const ddCOM::Currency a = Raw(12345678), b = Raw(30000);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(a * b);
  }
}
BENCHMARK(BM_MultiplyFast);

void BM_MultiplyWide(benchmark::State& state) {
  const ddCOM::Currency a = Raw(10000000000LL), b = Raw(10000000000LL);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(a * b);
  }
}
BENCHMARK(BM_MultiplyWide);

void BM_MultiplyInt128Reference(benchmark::State& state) {
  long long a = 10000000000LL, b = 10000000000LL;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(static_cast<long long>(static_cast<__int128>(a) * b / 10000));
  }
}
BENCHMARK(BM_MultiplyInt128Reference);

void BM_Divide(benchmark::State& state) {
  const ddCOM::Currency a = Raw(12345678), b = Raw(30000);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(a / b);
  }
}
BENCHMARK(BM_Divide);

void BM_GenerateSwift(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Raw(Amounts()[i++ % Amounts().size()]).GenerateSwift());
  }
}
BENCHMARK(BM_GenerateSwift);

void BM_Currency2Str(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Raw(Amounts()[i++ % Amounts().size()]).Currency2Str());
  }
}
BENCHMARK(BM_Currency2Str);

void BM_ToCharsDoubleReference(benchmark::State& state) {
  char buffer[32];
  std::size_t i = 0;
  for (auto _ : state) {
    const double value = static_cast<double>(Amounts()[i++ % Amounts().size()]) / 10000;
    benchmark::DoNotOptimize(std::to_chars(buffer, buffer + sizeof buffer, value));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ToCharsDoubleReference);

void BM_ToCharsInt64Reference(benchmark::State& state) {
  char buffer[32];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        std::to_chars(buffer, buffer + sizeof buffer, Amounts()[i++ % Amounts().size()]));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ToCharsInt64Reference);

// The SWIFT texts of the amounts, and the same numbers with a decimal point.
struct Texts {
  std::vector<ddCOM::BString<wchar_t>> swift;
  std::vector<std::string> plain;
};

const Texts& AmountTexts() {
  static const Texts texts = [] {
    Texts t;
    for (long long raw : Amounts()) {
      if (raw < 0) raw = -raw;  // SWIFT amounts carry no sign
      t.swift.push_back(Raw(raw).GenerateSwift());
      char buffer[32];
      auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(raw) / 10000);
      t.plain.emplace_back(buffer, end.ptr);
    }
    return t;
  }();
  return texts;
}

void BM_ParseSwift(benchmark::State& state) {
  const Texts& texts = AmountTexts();
  ddCOM::Currency value;
  std::size_t i = 0;
  for (auto _ : state) {
    value.ParseSwift(texts.swift[i++ % texts.swift.size()]);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_ParseSwift);

void BM_FromCharsDoubleReference(benchmark::State& state) {
  const Texts& texts = AmountTexts();
  double value;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& text = texts.plain[i++ % texts.plain.size()];
    benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_FromCharsDoubleReference);

}  // namespace
