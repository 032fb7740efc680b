#include "servers/txndb/konto_xml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>

#include "ebank/banking/internal/konto_scan.h"
#include "ebank/xml/internal/xml_char.h"
#include "servers/txndb/utf8_text.h"

namespace ebank::txndb {
namespace {

constexpr char kNoKonto[] = "the text holds no KONTO element";

// The KONTO fields but the date, in writing order (the order the scan
// reports them in): each entry names either a number or a text member of the
// record.
struct KontoField {
  const char* element;
  int32_t KontoRecord::*number;
  std::string KontoRecord::*text;
};

constexpr KontoField kKontoFields[] = {
#define EBANK_KONTO_NUMBER(element, account_member, record_member) \
  {#element, &KontoRecord::record_member, nullptr},
#define EBANK_KONTO_TEXT(element, account_member, record_member) \
  {#element, nullptr, &KontoRecord::record_member},
#include "ebank/banking/internal/konto_fields.def"
};

struct DocumentDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct ContextDeleter {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

bool IsNamed(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE &&
         std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

const xmlNode* FirstChild(const xmlNode* parent, const char* name) {
  for (const xmlNode* child = parent->children; child != nullptr; child = child->next) {
    if (IsNamed(child, name)) return child;
  }
  return nullptr;
}

std::string Content(const xmlNode* node) {
  if (node == nullptr) return {};
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  return text;
}

// The leading decimal number of `text` as the C runtime's string-to-long reads
// it (blanks, an optional sign, digits; anything else ends it), kept within
// 32 bits.
template <typename Char>
int32_t LeadingNumber(std::basic_string_view<Char> text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT32_MAX} + 1);
  }
  value = negative ? -value : std::min<int64_t>(value, INT32_MAX);
  return static_cast<int32_t>(value);
}

int32_t Attribute(const xmlNode* element, const char* name) {
  if (element == nullptr) return 0;
  xmlChar* value = xmlGetProp(element, reinterpret_cast<const xmlChar*>(name));
  const int32_t number =
      value != nullptr ? LeadingNumber(std::string_view(reinterpret_cast<char*>(value))) : 0;
  xmlFree(value);
  return number;
}

bool IsCalendarDate(int32_t year, int32_t month, int32_t day) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] && (month != 2 || day <= 28 || leap);
}

// Reads a KONTO's fields from `source`, which answers Number(i), Text(i, text)
// for field i of kKontoFields and Date(year, month, day), from a document
// or a scan.
template <typename Source>
void ReadFields(const Source& source, KontoRecord& record) {
  for (std::size_t i = 0; i < std::size(kKontoFields); ++i) {
    const KontoField& field = kKontoFields[i];
    if (field.number != nullptr) {
      record.*field.number = source.Number(i);
    } else {
      source.Text(i, record.*field.text);
    }
  }
  if (record.currency.empty()) record.currency = "EUR";
  int32_t year = 0, month = 0, day = 0;
  source.Date(year, month, day);
  // The table keeps only real dates; any other leaves the empty date.
  if (!IsCalendarDate(year, month, day)) year = 1899, month = 12, day = 30;
  record.download_year = year;
  record.download_month = month;
  record.download_day = day;
}

// The fields of a KONTO element of a libxml2 document.
class DocumentFields {
 public:
  explicit DocumentFields(const xmlNode* konto) : konto_(konto) {}
  int32_t Number(std::size_t i) const {
    return LeadingNumber(std::string_view(Content(FirstChild(konto_, kKontoFields[i].element))));
  }
  void Text(std::size_t i, std::string& text) const {
    text = Content(FirstChild(konto_, kKontoFields[i].element));
  }
  void Date(int32_t& year, int32_t& month, int32_t& day) const {
    const xmlNode* holder = FirstChild(konto_, "DATE_LASTDOWNLOAD");
    const xmlNode* date = holder != nullptr ? FirstChild(holder, "DATE") : nullptr;
    year = Attribute(date, "YEAR");
    month = Attribute(date, "MONTH");
    day = Attribute(date, "DAY");
  }

 private:
  const xmlNode* konto_;
};

// The fields of the KONTO of a plain text, as the scan found them.
class ScannedFields {
 public:
  explicit ScannedFields(const banking::KontoScan& scan) : scan_(scan) {}
  int32_t Number(std::size_t i) const { return LeadingNumber(scan_.Field(i)); }
  void Text(std::size_t i, std::string& text) const { WideToUtf8(scan_.Field(i), text); }
  void Date(int32_t& year, int32_t& month, int32_t& day) const {
    year = LeadingNumber(scan_.DateAttribute(0));
    month = LeadingNumber(scan_.DateAttribute(1));
    day = LeadingNumber(scan_.DateAttribute(2));
  }

 private:
  const banking::KontoScan& scan_;
};

// Appends `text` (UTF-8) as element content: markup characters escaped, a
// carriage return kept as a reference (parsers turn a literal one into a line
// feed), every character XML 1.0 cannot carry written as '?' and malformed
// UTF-8 as U+FFFD, so that whatever the table holds reads back.
void AppendEscaped(std::wstring& xml, std::string_view text) {
  // Plain ASCII, the bulk of every field, is copied in runs.
  const auto plain = [](char c) {
    return c >= 0x20 && c < 0x7F && c != '&' && c != '<' && c != '>';
  };
  for (size_t i = 0; i < text.size();) {
    if (plain(text[i])) {
      const size_t start = i;
      while (i < text.size() && plain(text[i])) ++i;
      xml.append(text.begin() + start, text.begin() + i);
      continue;
    }
    switch (const char32_t c = DecodeUtf8(text, i)) {
      case '&':
        xml += L"&amp;";
        break;
      case '<':
        xml += L"&lt;";
        break;
      case '>':
        xml += L"&gt;";
        break;
      case '\r':
        xml += L"&#13;";
        break;
      default:
        xml += ddXML::internal::IsXmlChar(c) ? static_cast<wchar_t>(c)
                                             : wchar_t{ddXML::internal::kNonXmlCharMark};
    }
  }
}

void AppendTag(std::wstring& xml, std::wstring_view start, std::wstring_view name) {
  xml += start;
  xml += name;
  xml += L'>';
}

void AppendElement(std::wstring& xml, std::wstring_view name, std::string_view text) {
  AppendTag(xml, L"<", name);
  AppendEscaped(xml, text);
  AppendTag(xml, L"</", name);
}

// Appends `number` in decimal, with leading zeros up to `width` digits.
void AppendNumber(std::wstring& xml, int32_t number, int width = 0) {
  char digits[16];
  const char* end = std::to_chars(digits, std::end(digits), number).ptr;
  const auto length = static_cast<int>(end - digits);
  if (number >= 0 && length < width) xml.append(static_cast<size_t>(width - length), L'0');
  xml.append(static_cast<const char*>(digits), end);
}

void AppendElement(std::wstring& xml, std::wstring_view name, int32_t number) {
  AppendTag(xml, L"<", name);
  AppendNumber(xml, number);
  AppendTag(xml, L"</", name);
}

}  // namespace

bool ReadKonto(std::wstring_view xml, KontoRecord& record, std::string& error) {
  thread_local banking::KontoScan scan;
  if (!scan.Scan(xml)) return ReadKontoDocument(WideToUtf8(xml), record, error);
  if (!scan.HasKonto()) {
    error = kNoKonto;
    return false;
  }
  ReadFields(ScannedFields(scan), record);
  return true;
}

bool ReadKontoDocument(std::string_view utf8_xml, KontoRecord& record, std::string& error) {
  if (utf8_xml.size() > INT_MAX) {
    error = "the KONTO text is too long";
    return false;
  }
  std::unique_ptr<xmlParserCtxt, ContextDeleter> context(xmlNewParserCtxt());
  if (context == nullptr) {
    error = "out of memory";
    return false;
  }
  std::unique_ptr<xmlDoc, DocumentDeleter> doc(
      xmlCtxtReadMemory(context.get(), utf8_xml.data(), static_cast<int>(utf8_xml.size()), nullptr,
                        "UTF-8", XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (doc == nullptr) {
    const xmlError* last = xmlCtxtGetLastError(context.get());
    error = "the KONTO text is not well-formed XML";
    if (last != nullptr && last->message != nullptr) error += std::string(": ") + last->message;
    while (!error.empty() && error.back() == '\n') error.pop_back();
    return false;
  }
  if (doc->intSubset != nullptr) {
    error = "a KONTO text must not carry a document type declaration";
    return false;
  }
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  const xmlNode* konto = IsNamed(root, "KONTEN") ? FirstChild(root, "KONTO") : root;
  if (konto == nullptr || !IsNamed(konto, "KONTO")) {
    error = kNoKonto;
    return false;
  }
  ReadFields(DocumentFields(konto), record);
  return true;
}

void KontenWriter::Add(const KontoRecord& record) {
  xml_ += L"<KONTO>";
  for (std::size_t i = 0; i < std::size(kKontoFields); ++i) {
    const KontoField& field = kKontoFields[i];
    if (field.number != nullptr) {
      AppendElement(xml_, banking::kKontoFieldNames[i], record.*field.number);
    } else {
      AppendElement(xml_, banking::kKontoFieldNames[i], record.*field.text);
    }
  }
  // YEAR without leading zeros, MONTH and DAY with two digits.
  xml_ += L"<DATE_LASTDOWNLOAD><DATE YEAR=\"";
  AppendNumber(xml_, record.download_year);
  xml_ += L"\" MONTH=\"";
  AppendNumber(xml_, record.download_month, 2);
  xml_ += L"\" DAY=\"";
  AppendNumber(xml_, record.download_day, 2);
  xml_ += L"\"/></DATE_LASTDOWNLOAD></KONTO>";
}

std::wstring_view KontenWriter::Finish() {
  xml_ += L"</KONTEN>";
  return xml_;
}

}  // namespace ebank::txndb
