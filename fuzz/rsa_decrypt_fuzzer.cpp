// Fuzzes the RSA string decryption functions with arbitrary cipher texts under
// keys carried as resources of this program. The first input byte picks the
// key and the direction; a decryption either yields a plain text no longer
// than the key's block or a null text, and answers 0 or kTextTooLong.
// Bit 7 of that byte also runs the fuzzed text through a private encryption
// and a public decryption, which must give back each unit's low byte up to the
// first 0 byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ebank/crypto/rsa_string.h"
#include "ebank/platform/win32/module.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"

namespace {

using Text = ddCOM::BString<wchar_t>;

struct Key {
  const char* publicKey;
  const char* privateKey;
  unsigned blockLength;
};

constexpr Key kKeys[] = {
    {"KEY512_PUBLIC", "KEY512_PRIVATE", 64},  {"KEY768_PUBLIC", "KEY768_PRIVATE", 96},
    {"KEY800_PUBLIC", "KEY800_PRIVATE", 100}, {"KEY1024_PUBLIC", "KEY1024_PRIVATE", 128},
    {"SHORT_PUBLIC", "SHORT_PRIVATE", 0},
};
constexpr std::size_t kMaxPlainUnits = 100;

HINSTANCE ThisModule() {
  static const HINSTANCE module =
      ebank::platform::ModuleFromAddress(reinterpret_cast<const void*>(&ThisModule));
  return module;
}

void CheckDecryption(LONG result, const Text& text, const Key& key) {
  EBANK_FUZZ_CHECK(result == 0 || result == ovEBankCrypto::kTextTooLong);
  if (result != 0) EBANK_FUZZ_CHECK(text.IsNothing());
  if (!text.IsNothing() && key.blockLength != 0) EBANK_FUZZ_CHECK(text.Length() <= key.blockLength);
}

// What a round trip gives back: low bytes up to the first 0 byte.
std::wstring LowBytesUpToZero(const std::wstring& text) {
  std::wstring expected;
  for (wchar_t unit : text) {
    const auto low = static_cast<wchar_t>(static_cast<std::uint32_t>(unit) & 0xFF);
    if (low == 0) break;
    expected.push_back(low);
  }
  return expected;
}

void CheckRoundTrip(const std::wstring& plain, const Key& key) {
  if (plain.size() > kMaxPlainUnits) return;
  Text text(plain.c_str(), static_cast<UINT>(plain.size()));
  EBANK_FUZZ_CHECK(ovEBankCrypto::rsaEncryptPrivate(text, ThisModule(), key.privateKey) == 0);
  // A text too long for the key's block has no cipher text.
  if (text.IsNothing()) return;
  EBANK_FUZZ_CHECK(ovEBankCrypto::rsaDecryptPublic(text, ThisModule(), key.publicKey) == 0);
  const std::wstring expected = LowBytesUpToZero(plain);
  const std::wstring back =
      text.IsNothing() ? std::wstring() : std::wstring(text.ByVal(), text.Length());
  EBANK_FUZZ_CHECK(back == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Key& key = kKeys[(data[0] & 0x7F) % std::size(kKeys)];
  const bool use_private = (data[0] & 0x08) != 0;
  const std::wstring cipher = ebank::fuzz::WideFromFuzzBytes(data + 1, size - 1);

  Text text(cipher.c_str(), static_cast<UINT>(cipher.size()));
  const LONG result = use_private
                          ? ovEBankCrypto::rsaDecryptPrivate(text, ThisModule(), key.privateKey)
                          : ovEBankCrypto::rsaDecryptPublic(text, ThisModule(), key.publicKey);
  CheckDecryption(result, text, key);

  if ((data[0] & 0x80) != 0) CheckRoundTrip(cipher, key);
  return 0;
}
