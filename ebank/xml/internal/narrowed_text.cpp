#include "ebank/xml/internal/narrowed_text.h"

#include <algorithm>
#include <string_view>

#include "ebank/platform/win32/code_page.h"

namespace ddXML::internal {

std::string Narrowed(const _bstr_t& text) {
  const wchar_t* wide = text;
  if (wide == nullptr) return {};
  return ebank::platform::NarrowFromWide(std::wstring_view(wide, text.length()));
}

ddCOM::BString<wchar_t> NarrowedText(const _bstr_t& text) {
  const wchar_t* wide = text;
  return NarrowedText(wide == nullptr ? std::wstring_view()
                                      : std::wstring_view(wide, text.length()));
}

ddCOM::BString<wchar_t> NarrowedText(std::wstring_view text) {
  const auto length = static_cast<UINT>(text.size());
  // ASCII is the same in every supported code page, so the usual all-ASCII
  // text skips the round trip.
  if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0 && c < 0x80; })) {
    return ddCOM::BString<wchar_t>(length == 0 ? nullptr : text.data(), length);
  }
  const std::string narrow = ebank::platform::NarrowFromWide(text);
  return ddCOM::BString<wchar_t>(narrow.data(), static_cast<UINT>(narrow.size()));
}

}  // namespace ddXML::internal
