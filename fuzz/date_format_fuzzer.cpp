// Fuzzes the date readers and writer with arbitrary text and formats:
// Date::ParseFormat with a fuzzed layout, the fixed-layout readers, and the
// automation format engine behind Date::Format with a fuzzed format text.
// Each may only fail with a ddCOM exception.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "ebank/core/date.h"
#include "ebank/core/exception.h"
#include "fuzz/fuzz_text.h"

namespace {

using ddCOM::Date;
using Text = ddCOM::BString<wchar_t>;

template <typename Operation>
void Attempt(Operation operation) {
  try {
    operation();
  } catch (const ddCOM::Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::wstring layout =
      ebank::fuzz::WideFromFuzzBytes(provider.ConsumeRandomLengthString(64));
  // Formats as long as the input, so a format that costs more than one pass
  // shows up as a slow input.
  const std::wstring format =
      ebank::fuzz::WideFromFuzzBytes(provider.ConsumeRandomLengthString(size));
  std::wstring text = ebank::fuzz::WideFromFuzzBytes(provider.ConsumeRemainingBytesAsString());

  Date date(0.0);
  Attempt([&] { date.ParseFormat(text.c_str(), layout.c_str()); });
  Attempt([&] { Date().ParseFormatYYYYMMDD(text.data()); });
  Attempt([&] { Date().ParseFormatYYYYMMDDHHMMSS(text.data()); });
  Attempt([&] { (void)date.Format(Text(format.c_str(), static_cast<UINT>(format.size()))); });
  Attempt([&] { (void)date.Format(Text(L"dd.mm.yyyy hh:nn:ss"), 2, 2); });
  return 0;
}
