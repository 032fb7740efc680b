// BString copy, append and case-insensitive compare, each beside std::wstring
// doing the same work, the container a caller would otherwise pick.
#include <benchmark/benchmark.h>

#include <cwctype>
#include <string>

#include "ebank/core/bstring.h"

namespace {

using BString = ddCOM::BString<wchar_t>;

constexpr char kNarrow[] = "Kontoauszug 2024 fuer Girokonto 1234567890 BLZ 37040044";

std::wstring WideOf(const char* text) {
  std::wstring wide;
  for (; *text != '\0'; ++text) wide += static_cast<unsigned char>(*text);
  return wide;
}

int CompareIgnoringCase(const std::wstring& left, const std::wstring& right) {
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    const wint_t a = std::towlower(left[i]);
    const wint_t b = std::towlower(right[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

void BM_BStringCopy(benchmark::State& state) {
  const BString source(kNarrow);
  for (auto _ : state) {
    BString copy(source);
    benchmark::DoNotOptimize(copy.ByVal());
  }
}
BENCHMARK(BM_BStringCopy);

void BM_WStringCopy(benchmark::State& state) {
  const std::wstring source = WideOf(kNarrow);
  for (auto _ : state) {
    std::wstring copy(source);
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_WStringCopy);

// Builds a text from `state.range(0)` appended pieces, as element paths and
// where-clauses are built.
void BM_BStringAppend(benchmark::State& state) {
  for (auto _ : state) {
    BString text;
    for (int64_t i = 0; i < state.range(0); ++i) text += "KONTO/";
    benchmark::DoNotOptimize(text.ByVal());
  }
}
BENCHMARK(BM_BStringAppend)->Arg(4)->Arg(32);

void BM_WStringAppend(benchmark::State& state) {
  for (auto _ : state) {
    std::wstring text;
    for (int64_t i = 0; i < state.range(0); ++i) {
      for (const char* byte = "KONTO/"; *byte != '\0'; ++byte) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(*byte));
      }
    }
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_WStringAppend)->Arg(4)->Arg(32);

void BM_BStringCompare(benchmark::State& state) {
  const BString left(kNarrow);
  const BString right(WideOf(kNarrow).c_str());
  for (auto _ : state) benchmark::DoNotOptimize(left.Compare(right));
}
BENCHMARK(BM_BStringCompare);

void BM_WStringCompare(benchmark::State& state) {
  const std::wstring left = WideOf(kNarrow);
  const std::wstring right = WideOf(kNarrow);
  for (auto _ : state) benchmark::DoNotOptimize(CompareIgnoringCase(left, right));
}
BENCHMARK(BM_WStringCompare);

}  // namespace
