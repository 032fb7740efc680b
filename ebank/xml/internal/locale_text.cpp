#include "ebank/xml/internal/locale_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ddXML::internal {

std::wstring LocaleText(const char* text, std::size_t maxLength) {
  std::wstring wide(maxLength, L'\0');
  const std::size_t count = std::mbstowcs(wide.data(), text, maxLength);
  if (count != static_cast<std::size_t>(-1)) {
    wide.resize(count);
    return wide;
  }
  const std::size_t length = std::min(std::strlen(text), maxLength);
  wide.assign(length, L'\0');
  for (std::size_t i = 0; i < length; ++i) wide[i] = static_cast<unsigned char>(text[i]);
  return wide;
}

}  // namespace ddXML::internal
