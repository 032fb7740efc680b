// Wide text from fuzzer bytes: each byte widens to one character, and a 0xFF
// byte takes the next three as one 24-bit character, so fuzzed texts also hold
// characters beyond Latin-1, lone surrogates and values past U+10FFFF.
#ifndef EBANK_FUZZ_FUZZ_TEXT_H_
#define EBANK_FUZZ_FUZZ_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ebank::fuzz {

inline std::wstring WideFromFuzzBytes(std::string_view bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0xFF && i + 3 < bytes.size()) {
      const auto at = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + k]));
      };
      text.push_back(static_cast<wchar_t>(at(1) | at(2) << 8 | at(3) << 16));
      i += 3;
    } else {
      text.push_back(static_cast<wchar_t>(byte));
    }
  }
  return text;
}

inline std::wstring WideFromFuzzBytes(const std::uint8_t* data, std::size_t size) {
  return WideFromFuzzBytes(std::string_view(reinterpret_cast<const char*>(data), size));
}

}  // namespace ebank::fuzz

#endif  // EBANK_FUZZ_FUZZ_TEXT_H_
