#include "ebank/crypto/rsa_string.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/module.h"

namespace {

// The test program's SysFreeString stands in front of the platform's (the
// dynamic linker binds the library's calls to the program's definition), so
// a test can see what a watched string held at the moment it was freed.
BSTR watched = nullptr;
std::optional<std::wstring> watchedAtFree;

}  // namespace

extern "C" void SysFreeString(BSTR text) {
  static const auto platformFree =
      reinterpret_cast<void (*)(BSTR)>(dlsym(RTLD_NEXT, "SysFreeString"));
  if (text != nullptr && text == watched) {
    watchedAtFree = std::wstring(text, SysStringLen(text));
    watched = nullptr;
  }
  platformFree(text);
}

namespace ovEBankCrypto {
namespace {

using Text = ddCOM::BString<wchar_t>;

// The test program carries the key records as RCDATA resources.
HINSTANCE TestModule() {
  return ebank::platform::ModuleFromAddress(reinterpret_cast<const void*>(&TestModule));
}

std::wstring Wide(Text& text) {
  return text.IsNothing() ? std::wstring() : std::wstring(*text.ByRef(), text.Length());
}

bool IsLowercaseHex(const std::wstring& text) {
  return text.find_first_not_of(L"0123456789abcdef") == std::wstring::npos;
}

struct KeyNames {
  const char* publicKey;
  const char* privateKey;
  unsigned blockLength;
};

constexpr KeyNames kKey512{"KEY512_PUBLIC", "KEY512_PRIVATE", 64};
constexpr KeyNames kKey768{"KEY768_PUBLIC", "KEY768_PRIVATE", 96};
constexpr KeyNames kKey800{"KEY800_PUBLIC", "KEY800_PRIVATE", 100};

// Encrypts and decrypts in both directions; returns the two results and
// checks the cipher texts on the way.
void ExpectRoundTrips(const KeyNames& key, const std::wstring& plain, const std::wstring& back) {
  Text text(plain.c_str(), static_cast<UINT>(plain.size()));
  ASSERT_EQ(rsaEncryptPublic(text, TestModule(), key.publicKey), 0);
  EXPECT_EQ(text.Length(), 2 * key.blockLength);
  EXPECT_TRUE(IsLowercaseHex(Wide(text)));
  ASSERT_EQ(rsaDecryptPrivate(text, TestModule(), key.privateKey), 0);
  EXPECT_EQ(Wide(text), back);

  text = Text(plain.c_str(), static_cast<UINT>(plain.size()));
  ASSERT_EQ(rsaEncryptPrivate(text, TestModule(), key.privateKey), 0);
  EXPECT_EQ(text.Length(), 2 * key.blockLength);
  EXPECT_TRUE(IsLowercaseHex(Wide(text)));
  ASSERT_EQ(rsaDecryptPublic(text, TestModule(), key.publicKey), 0);
  EXPECT_EQ(Wide(text), back);
}

TEST(RsaStringTest, TextsRoundTripInBothDirections) {
  for (const KeyNames& key : {kKey512, kKey768, kKey800}) {
    SCOPED_TRACE(key.publicKey);
    ExpectRoundTrips(key, L"Kontonummer 1234567890", L"Kontonummer 1234567890");
    ExpectRoundTrips(key, L"Gr\u00fc\u00dfe \u00ff", L"Gr\u00fc\u00dfe \u00ff");
    // Units above U+00FF cross as their low byte.
    ExpectRoundTrips(key, L"5 \u20ac", L"5 \u00ac");
    // The message ends at the first 0 byte: U+0100 is cut to 0.
    ExpectRoundTrips(key, L"ab\u0100cd", L"ab");
    ExpectRoundTrips(key, std::wstring(key.blockLength - 11, L'x'),
                     std::wstring(key.blockLength - 11, L'x'));
  }
}

// Back-to-back calls fall on the same clock reading; the system's bytes in
// the seed still give them different padding.
TEST(RsaStringTest, PrivateEncryptionIsRepeatablePublicEncryptionIsNot) {
  Text first("Auftrag"), second("Auftrag");
  rsaEncryptPrivate(first, TestModule(), kKey512.privateKey);
  rsaEncryptPrivate(second, TestModule(), kKey512.privateKey);
  EXPECT_EQ(Wide(first), Wide(second));

  first = "Auftrag";
  second = "Auftrag";
  rsaEncryptPublic(first, TestModule(), kKey512.publicKey);
  rsaEncryptPublic(second, TestModule(), kKey512.publicKey);
  EXPECT_NE(Wide(first), Wide(second));
}

// Encrypts `plain` in place and returns what its string held when freed.
template <typename Encrypt>
std::optional<std::wstring> FreedPlainText(const std::wstring& plain, Encrypt encrypt,
                                           const char* keyName) {
  Text text(plain.c_str(), static_cast<UINT>(plain.size()));
  watched = *text.ByRef();
  watchedAtFree.reset();
  encrypt(text, TestModule(), keyName);
  watched = nullptr;
  return watchedAtFree;
}

TEST(RsaStringTest, PlainTextIsWipedBeforeItsStringIsFreed) {
  const std::wstring secret = L"PIN 4711 TAN 123456";
  const std::wstring zeros(secret.size(), L'\0');
  EXPECT_EQ(FreedPlainText(secret, rsaEncryptPublic, kKey512.publicKey), zeros);
  EXPECT_EQ(FreedPlainText(secret, rsaEncryptPrivate, kKey512.privateKey), zeros);
  // Also when the key is missing or the text too long for the call.
  EXPECT_EQ(FreedPlainText(secret, rsaEncryptPublic, "NO_SUCH_KEY"), zeros);
  const std::wstring tooLong(101, L'7');
  EXPECT_EQ(FreedPlainText(tooLong, rsaEncryptPublic, kKey512.publicKey), std::wstring(101, L'\0'));
}

TEST(RsaStringTest, PlainTextLimits) {
  Text text(std::wstring(101, L'a').c_str());
  EXPECT_EQ(rsaEncryptPublic(text, TestModule(), kKey800.publicKey), kTextTooLong);
  EXPECT_TRUE(text.IsNothing());
  text = Text(std::wstring(101, L'a').c_str());
  EXPECT_EQ(rsaEncryptPrivate(text, TestModule(), kKey800.privateKey), kTextTooLong);
  EXPECT_TRUE(text.IsNothing());

  // 100 units pass the length check but do not fit a 100-byte block.
  text = Text(std::wstring(100, L'a').c_str());
  EXPECT_EQ(rsaEncryptPublic(text, TestModule(), kKey800.publicKey), 0);
  EXPECT_TRUE(text.IsNothing());
  text = Text(std::wstring(54, L'a').c_str());
  EXPECT_EQ(rsaEncryptPrivate(text, TestModule(), kKey512.privateKey), 0);
  EXPECT_TRUE(text.IsNothing()) << "54 bytes do not fit a 512-bit key";

  // The empty text is all padding; its random padding reaches the last byte,
  // so it decrypts to nothing, and null stands for the empty text.
  Text empty;
  EXPECT_EQ(rsaEncryptPublic(empty, TestModule(), kKey512.publicKey), 0);
  EXPECT_EQ(empty.Length(), 128u);
  EXPECT_EQ(rsaDecryptPrivate(empty, TestModule(), kKey512.privateKey), 0);
  EXPECT_TRUE(empty.IsNothing());
  EXPECT_EQ(rsaEncryptPrivate(empty, TestModule(), kKey512.privateKey), 0);
  EXPECT_EQ(empty.Length(), 128u);
  EXPECT_EQ(rsaDecryptPublic(empty, TestModule(), kKey512.publicKey), 0);
  EXPECT_TRUE(empty.IsNothing());

  // Keys whose cipher text would exceed 200 characters are refused.
  text = "kurz";
  EXPECT_EQ(rsaEncryptPrivate(text, TestModule(), "KEY1024_PRIVATE"), 0);
  EXPECT_TRUE(text.IsNothing());
}

TEST(RsaStringTest, CipherTextDecodingRules) {
  Text cipher("Saldo");
  ASSERT_EQ(rsaEncryptPrivate(cipher, TestModule(), kKey800.privateKey), 0);
  const std::wstring hex = Wide(cipher);
  ASSERT_EQ(hex.size(), 200u);

  Text text((hex + L"z").c_str());  // an odd last character is ignored
  EXPECT_EQ(rsaDecryptPublic(text, TestModule(), kKey800.publicKey), 0);
  EXPECT_EQ(Wide(text), L"Saldo");

  text = Text((hex + L"00").c_str());  // 101 bytes
  EXPECT_EQ(rsaDecryptPublic(text, TestModule(), kKey800.publicKey), kTextTooLong);
  EXPECT_TRUE(text.IsNothing());
  text = Text((hex + L"00").c_str());
  EXPECT_EQ(rsaDecryptPrivate(text, TestModule(), kKey800.privateKey), kTextTooLong);
  EXPECT_TRUE(text.IsNothing());

  std::wstring upper = hex;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  ASSERT_NE(upper, hex);
  text = Text(upper.c_str());
  EXPECT_EQ(rsaDecryptPublic(text, TestModule(), kKey800.publicKey), 0);
  EXPECT_TRUE(text.IsNothing()) << "upper-case digits count as 0";

  // Characters outside the digits count as 0: a digit 0 may be written as
  // any of them, also as a character whose low byte is a digit's.
  const std::size_t zero = hex.find(L'0');
  ASSERT_NE(zero, std::wstring::npos);
  std::wstring other = hex;
  other[zero] = L'g';
  text = Text(other.c_str());
  EXPECT_EQ(rsaDecryptPublic(text, TestModule(), kKey800.publicKey), 0);
  EXPECT_EQ(Wide(text), L"Saldo");
}

TEST(RsaStringTest, MissingShortAndUnnamedKeysGiveNullText) {
  // SHORT_PUBLIC is 257 bytes and SHORT_PRIVATE 705 (which holds a whole
  // public record, so it is short only as a private key).
  const char* const kNoPublicKey[] = {"NO_SUCH_KEY", "SHORT_PUBLIC", nullptr};
  const char* const kNoPrivateKey[] = {"NO_SUCH_KEY", "SHORT_PUBLIC", "SHORT_PRIVATE", nullptr};
  for (const char* name : kNoPublicKey) {
    SCOPED_TRACE(name == nullptr ? "null" : name);
    Text text("Geheim");
    EXPECT_EQ(rsaEncryptPublic(text, TestModule(), name), 0);
    EXPECT_TRUE(text.IsNothing());
    text = "00112233";
    EXPECT_EQ(rsaDecryptPublic(text, TestModule(), name), 0);
    EXPECT_TRUE(text.IsNothing());
  }
  for (const char* name : kNoPrivateKey) {
    SCOPED_TRACE(name == nullptr ? "null" : name);
    Text text("Geheim");
    EXPECT_EQ(rsaEncryptPrivate(text, TestModule(), name), 0);
    EXPECT_TRUE(text.IsNothing());
    text = "00112233";
    EXPECT_EQ(rsaDecryptPrivate(text, TestModule(), name), 0);
    EXPECT_TRUE(text.IsNothing());
  }
  // A private record starts with the public one, so it serves as a longer
  // public key resource; a null module is the program.
  Text text("offen");
  EXPECT_EQ(rsaEncryptPrivate(text, nullptr, kKey512.privateKey), 0);
  EXPECT_EQ(rsaDecryptPublic(text, nullptr, kKey512.privateKey), 0);
  EXPECT_EQ(Wide(text), L"offen");
}

// Garbage of every length up to the limit, odd lengths, embedded NULs and
// wide characters: the result is 0 or 12 and nothing else happens.
TEST(RsaStringTest, HostileCipherTextsAreHandled) {
  std::mt19937 engine(7);
  const wchar_t alphabet[] = L"0123456789abcdefABCDEF xyz\u00ff\u0130\x10000";
  for (unsigned length = 0; length <= 210; ++length) {
    std::wstring garbage(length, L'0');
    for (wchar_t& c : garbage) c = alphabet[engine() % (sizeof alphabet / sizeof(wchar_t))];
    for (const KeyNames& key : {kKey512, kKey800}) {
      Text text(garbage.c_str(), length);
      const LONG expected = length / 2 > 100 ? kTextTooLong : 0;
      EXPECT_EQ(rsaDecryptPrivate(text, TestModule(), key.privateKey), expected);
      text = Text(garbage.c_str(), length);
      EXPECT_EQ(rsaDecryptPublic(text, TestModule(), key.publicKey), expected);
    }
  }
  // A 64K cipher text is refused by its length before anything is decoded.
  Text text(std::wstring(65536, L'f').c_str());
  EXPECT_EQ(rsaDecryptPrivate(text, TestModule(), kKey512.privateKey), kTextTooLong);
  EXPECT_TRUE(text.IsNothing());
}

// Twenty calls in a row, most within one millisecond: all different.
TEST(RsaStringTest, RandomStringsAreThirtyTwoLowercaseHexDigits) {
  Text text("vorher");
  std::vector<std::wstring> seen;
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(GenerateRandomString(text), 0);
    EXPECT_EQ(text.Length(), 32u);
    EXPECT_TRUE(IsLowercaseHex(Wide(text)));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), Wide(text)), 0);
    seen.push_back(Wide(text));
  }
}

}  // namespace
}  // namespace ovEBankCrypto
