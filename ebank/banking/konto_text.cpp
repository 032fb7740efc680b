#include "ebank/banking/konto_text.h"

#include <cwchar>
#include <string_view>

#include "ebank/banking/konto_fields.h"
#include "ebank/platform/types.h"
#include "ebank/platform/win32/wide_string.h"

namespace ebank::banking {
namespace {

// Characters the serialiser writes as they are, or as one of the three
// entities of element content.
bool IsPlain(wchar_t c) {
  return (c >= 0x20 && c < 0xD800) || (c > 0xDFFF && c < 0xFFFE) || c == L'\t' || c == L'\n';
}

// Appends `text` (up to its first NUL, as the DOM writer takes it) escaped as
// element content; false when it holds a character that is not plain.
bool AppendContent(std::wstring& out, const wchar_t* text) {
  if (text == nullptr) return true;
  for (; *text != L'\0'; ++text) {
    switch (const wchar_t c = *text) {
      case L'&':
        out += L"&amp;";
        break;
      case L'<':
        out += L"&lt;";
        break;
      case L'>':
        out += L"&gt;";
        break;
      default:
        if (!IsPlain(c)) return false;
        out += c;
    }
  }
  return true;
}

// <NAME>content</NAME>, or <NAME/> when the content is empty.
template <typename WriteContent>
bool AppendElement(std::wstring& out, std::wstring_view name, WriteContent write_content) {
  out += L'<';
  out += name;
  const std::size_t open_end = out.size();
  out += L'>';
  if (!write_content(out)) return false;
  if (out.size() == open_end + 1) {
    out.back() = L'/';
    out += L'>';
  } else {
    out += L"</";
    out += name;
    out += L'>';
  }
  return true;
}

void AppendDate(std::wstring& out, const CDBAccount& account) {
  const KontoDateTexts date(account.m_dtLastDownload);
  out += L'<';
  out += kDateParent;
  out += L"><DATE YEAR=\"";
  out += date.year;
  out += L"\" MONTH=\"";
  out += date.month;
  out += L"\" DAY=\"";
  out += date.day;
  out += L"\"/></";
  out += kDateParent;
  out += L'>';
}

}  // namespace

std::optional<std::wstring> KontoText(const CDBAccount& account) {
  std::wstring out;
  out.reserve(512);
  out += L"<KONTO>";
  for (const KontoField& field : kKontoFields) {
    const bool written = AppendElement(out, field.element, [&](std::wstring& content) {
      if (field.number != nullptr) {
        wchar_t digits[12];
        content += _ltow(account.*field.number, digits, 10);
        return true;
      }
      return AppendContent(content, static_cast<const wchar_t*>(account.*field.text));
    });
    if (!written) return std::nullopt;
  }
  AppendDate(out, account);
  out += L"</KONTO>\r\n";
  return out;
}

}  // namespace ebank::banking
