#include "tools/ebank/plain_text.h"

#include <unistd.h>

#include <cstdio>

#include "ebank/platform/win32/code_page.h"
#include "tools/ebank/file_descriptor.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

using ovEBankCrypto::WipedArray;

// The longest UTF-8 form of a text the tool takes: four bytes a character.
constexpr unsigned kMaxUtf8Bytes = 4 * PlainText::kMaxCharacters;

[[noreturn]] void FailTooLong() {
  throw ToolError("the text has more than 100 characters");
}

}  // namespace

void PlainText::AssignUtf8(std::string_view utf8) {
  if (utf8.empty()) {
    throw ToolError("the text is empty: decryption refuses the cipher text of an empty text");
  }
  if (utf8.size() > kMaxUtf8Bytes) FailTooLong();
  const int size = static_cast<int>(utf8.size());
  const int count =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (count <= 0) throw ToolError("the text is not valid UTF-8");
  if (count > static_cast<int>(kMaxCharacters)) FailTooLong();
  WipedArray<wchar_t, kMaxCharacters> wide;
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide, count);
  for (int i = 0; i < count; ++i) {
    const auto code = static_cast<std::uint32_t>(wide[i]);
    if (code == 0 || code > 0xFF) {
      throw ToolError("the text may hold only characters from U+0001 to U+00FF");
    }
    bytes_[i] = static_cast<std::uint8_t>(code);
  }
  length_ = static_cast<unsigned>(count);
}

void PlainText::AssignBytes(const std::uint8_t* bytes, unsigned length) {
  unsigned used = 0;
  while (used < length && bytes[used] != 0) ++used;
  if (used > kMaxCharacters) FailTooLong();
  for (unsigned i = 0; i < used; ++i) bytes_[i] = bytes[i];
  length_ = used;
}

void PlainText::WriteLine() const {
  WipedArray<wchar_t, kMaxCharacters> wide;
  for (unsigned i = 0; i < length_; ++i) wide[i] = bytes_[i];
  // Characters up to U+00FF take at most two bytes each, and the line feed one.
  WipedArray<char, 2 * kMaxCharacters + 1> line;
  int size = 0;
  if (length_ > 0) {
    size = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length_), line,
                               static_cast<int>(line.size() - 1), nullptr, nullptr);
  }
  line[size++] = '\n';
  std::fflush(stdout);
  if (!WriteAll(STDOUT_FILENO, line, static_cast<std::size_t>(size))) {
    throw ToolError("cannot write the plain text to standard output");
  }
}

}  // namespace ebank::tool
