#include "ebank/banking/internal/konto_text.h"

#include <cwchar>
#include <string_view>

#include "ebank/banking/internal/konto_fields.h"
#include "ebank/platform/types.h"
#include "ebank/platform/win32/wide_string.h"
#include "ebank/xml/internal/xml_char.h"

namespace ebank::banking {
namespace {

// Appends `text` (up to its first NUL, as the DOM writer takes it) as element
// content: the markup characters and the carriage return (which a parser
// would read as a line feed) as references, every character XML cannot carry
// as the mark.
void AppendContent(std::wstring& out, const wchar_t* text) {
  if (text == nullptr) return;
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
      case L'\r':
        out += L"&#13;";
        break;
      default:
        out += ddXML::internal::IsXmlChar(static_cast<char32_t>(c))
                   ? c
                   : wchar_t{ddXML::internal::kNonXmlCharMark};
    }
  }
}

// <NAME>content</NAME>, or <NAME/> when the content is empty.
template <typename WriteContent>
void AppendElement(std::wstring& out, std::wstring_view name, WriteContent write_content) {
  out += L'<';
  out += name;
  const std::size_t open_end = out.size();
  out += L'>';
  write_content(out);
  if (out.size() == open_end + 1) {
    out.back() = L'/';
    out += L'>';
  } else {
    out += L"</";
    out += name;
    out += L'>';
  }
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

std::wstring KontoText(const CDBAccount& account) {
  std::wstring out;
  out.reserve(512);
  out += L"<KONTO>";
  for (std::size_t i = 0; i < std::size(kKontoFields); ++i) {
    const KontoField& field = kKontoFields[i];
    AppendElement(out, kKontoFieldNames[i], [&](std::wstring& content) {
      if (field.number != nullptr) {
        wchar_t digits[12];
        content += _ltow(account.*field.number, digits, 10);
      } else {
        AppendContent(content, static_cast<const wchar_t*>(account.*field.text));
      }
    });
  }
  AppendDate(out, account);
  out += L"</KONTO>\r\n";
  return out;
}

}  // namespace ebank::banking
