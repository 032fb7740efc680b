#include "servers/txndb/konto_xml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "ebank/xml/internal/xml_char.h"
#include "servers/txndb/utf8_text.h"

namespace ebank::txndb {
namespace {

// The KONTO fields but the date, in writing order: each entry names either a
// number or a text member of the record.
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
int32_t LeadingNumber(std::string_view text) {
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

int32_t Number(const xmlNode* konto, const char* name) {
  return LeadingNumber(Content(FirstChild(konto, name)));
}

std::string Text(const xmlNode* konto, const char* name) {
  return Content(FirstChild(konto, name));
}

int32_t Attribute(const xmlNode* element, const char* name) {
  if (element == nullptr) return 0;
  xmlChar* value = xmlGetProp(element, reinterpret_cast<const xmlChar*>(name));
  const int32_t number = value != nullptr ? LeadingNumber(reinterpret_cast<char*>(value)) : 0;
  xmlFree(value);
  return number;
}

bool IsCalendarDate(int32_t year, int32_t month, int32_t day) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] && (month != 2 || day <= 28 || leap);
}

// Stores the download date when it is a calendar date; any other leaves the
// record's empty date, since the table keeps only real dates.
void ReadDate(const xmlNode* konto, KontoRecord& record) {
  const xmlNode* holder = FirstChild(konto, "DATE_LASTDOWNLOAD");
  const xmlNode* date = holder != nullptr ? FirstChild(holder, "DATE") : nullptr;
  const int32_t year = Attribute(date, "YEAR");
  const int32_t month = Attribute(date, "MONTH");
  const int32_t day = Attribute(date, "DAY");
  if (!IsCalendarDate(year, month, day)) return;
  record.download_year = year;
  record.download_month = month;
  record.download_day = day;
}

void ReadFields(const xmlNode* konto, KontoRecord& record) {
  record = KontoRecord{};
  for (const KontoField& field : kKontoFields) {
    if (field.number != nullptr) {
      record.*field.number = Number(konto, field.element);
    } else {
      record.*field.text = Text(konto, field.element);
    }
  }
  if (record.currency.empty()) record.currency = "EUR";
  ReadDate(konto, record);
}

// Appends `text` as element content: markup characters escaped, a carriage
// return kept as a reference (parsers turn a literal one into a line feed),
// every character XML 1.0 cannot carry written as '?' and malformed UTF-8 as
// U+FFFD, so that whatever the table holds reads back.
void AppendEscaped(std::string& xml, std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    switch (const char32_t c = DecodeUtf8(text, i)) {
      case '&':
        xml += "&amp;";
        break;
      case '<':
        xml += "&lt;";
        break;
      case '>':
        xml += "&gt;";
        break;
      case '\r':
        xml += "&#13;";
        break;
      default:
        if (ddXML::internal::IsXmlChar(c)) {
          AppendUtf8(xml, c);
        } else {
          xml += ddXML::internal::kNonXmlCharMark;
        }
    }
  }
}

void AppendElement(std::string& xml, const char* name, std::string_view text) {
  xml += '<';
  xml += name;
  xml += '>';
  AppendEscaped(xml, text);
  xml += "</";
  xml += name;
  xml += '>';
}

void AppendElement(std::string& xml, const char* name, int32_t number) {
  AppendElement(xml, name, std::to_string(number));
}

}  // namespace

bool ReadKonto(std::string_view utf8_xml, KontoRecord& record, std::string& error) {
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
    error = "the text holds no KONTO element";
    return false;
  }
  ReadFields(konto, record);
  return true;
}

void KontenWriter::Add(const KontoRecord& record) {
  xml_ += "<KONTO>";
  for (const KontoField& field : kKontoFields) {
    if (field.number != nullptr) {
      AppendElement(xml_, field.element, record.*field.number);
    } else {
      AppendElement(xml_, field.element, record.*field.text);
    }
  }
  // YEAR without leading zeros, MONTH and DAY with two digits.
  char date[96];
  std::snprintf(date, sizeof date,
                "<DATE_LASTDOWNLOAD><DATE YEAR=\"%d\" MONTH=\"%02d\" DAY=\"%02d\"/>"
                "</DATE_LASTDOWNLOAD></KONTO>",
                record.download_year, record.download_month, record.download_day);
  xml_ += date;
}

std::string KontenWriter::Finish() && {
  xml_ += "</KONTEN>";
  return std::move(xml_);
}

}  // namespace ebank::txndb
