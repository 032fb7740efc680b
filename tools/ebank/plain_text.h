// PlainText: the plain text of `ebank rsa` as the string API carries it, one
// byte per character from U+0001 to U+00FF and at most 100 of them, held in
// arrays that are zero-filled when they go out of scope, from the command
// line's UTF-8 to the engine and from the engine to standard output.
#ifndef EBANK_TOOLS_EBANK_PLAIN_TEXT_H_
#define EBANK_TOOLS_EBANK_PLAIN_TEXT_H_

#include <cstdint>
#include <string_view>

#include "ebank/crypto/internal/wiped_array.h"

namespace ebank::tool {

class PlainText {
 public:
  static constexpr unsigned kMaxCharacters = 100;

  PlainText() = default;
  PlainText(const PlainText&) = delete;
  PlainText& operator=(const PlainText&) = delete;

  // Takes UTF-8 text. Throws ToolError for the empty text (decryption refuses
  // the cipher text it gives), more than 100 characters, a character outside
  // U+0001 to U+00FF, or malformed UTF-8.
  void AssignUtf8(std::string_view utf8);
  // Takes decrypted bytes up to the first 0 byte, as the string API does.
  void AssignBytes(const std::uint8_t* bytes, unsigned length);

  const std::uint8_t* bytes() const { return bytes_; }
  unsigned length() const { return length_; }

  // Writes the text in UTF-8 and a line feed straight to standard output,
  // past the stdio buffer, which would keep a copy after the write.
  void WriteLine() const;

 private:
  ovEBankCrypto::WipedArray<std::uint8_t, kMaxCharacters> bytes_;
  unsigned length_ = 0;
};

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_PLAIN_TEXT_H_
