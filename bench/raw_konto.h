// The reference side of the account benchmarks: a KONTO element read field
// by field straight on libxml2, as a caller without the library would.
#ifndef EBANK_BENCH_RAW_KONTO_H_
#define EBANK_BENCH_RAW_KONTO_H_

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>

namespace ebank::bench {

inline constexpr const char* kNumberFields[] = {"ID",     "FK_KEY_DOWN", "FK_KEY_UP",
                                                "ONLINE", "CITYCODE",    "COUNTRYCODE"};
inline constexpr const char* kTextFields[] = {
    "NUMMER",      "BLZ",  "CURRENCY", "BEZEICHNUNG", "BANKNAME", "CONTACTNAME",
    "CONTACTTYPE", "NAME", "NAMEEX",   "CITY",        "STREET"};

// What the raw reader keeps of one record.
struct RawKonto {
  long numbers[std::size(kNumberFields)] = {};
  std::string texts[std::size(kTextFields)];
  int year = 0, month = 0, day = 0;
};

inline bool Named(xmlNodePtr node, const char* name) {
  return std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

inline std::string Content(xmlNodePtr node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  return text;
}

inline int Attribute(xmlNodePtr node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  const int number = value != nullptr ? std::atoi(reinterpret_cast<const char*>(value)) : 0;
  xmlFree(value);
  return number;
}

// Reads every field of a KONTO element by walking its children once.
inline RawKonto ReadRaw(xmlNodePtr konto) {
  RawKonto record;
  for (xmlNodePtr child = konto->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE) continue;
    for (std::size_t i = 0; i < std::size(kNumberFields); ++i) {
      if (Named(child, kNumberFields[i])) record.numbers[i] = std::atol(Content(child).c_str());
    }
    for (std::size_t i = 0; i < std::size(kTextFields); ++i) {
      if (Named(child, kTextFields[i])) record.texts[i] = Content(child);
    }
    if (Named(child, "DATE_LASTDOWNLOAD") && child->children != nullptr) {
      record.year = Attribute(child->children, "YEAR");
      record.month = Attribute(child->children, "MONTH");
      record.day = Attribute(child->children, "DAY");
    }
  }
  return record;
}

// Adds the record's fields to an empty KONTO element, numbers first.
inline void FillRaw(xmlNodePtr konto, const RawKonto& record) {
  auto add = [](xmlNodePtr parent, const char* name, const std::string& text) {
    return xmlNewTextChild(parent, nullptr, reinterpret_cast<const xmlChar*>(name),
                           reinterpret_cast<const xmlChar*>(text.c_str()));
  };
  for (std::size_t i = 0; i < std::size(kNumberFields); ++i) {
    add(konto, kNumberFields[i], std::to_string(record.numbers[i]));
  }
  for (std::size_t i = 0; i < std::size(kTextFields); ++i)
    add(konto, kTextFields[i], record.texts[i]);
  xmlNodePtr date = add(add(konto, "DATE_LASTDOWNLOAD", ""), "DATE", "");
  for (const auto& [name, value] :
       {std::pair{"YEAR", record.year}, {"MONTH", record.month}, {"DAY", record.day}}) {
    xmlNewProp(date, reinterpret_cast<const xmlChar*>(name),
               reinterpret_cast<const xmlChar*>(std::to_string(value).c_str()));
  }
}

// Writes the record as a new KONTO document.
inline xmlDocPtr WriteRaw(const RawKonto& record) {
  xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  xmlNodePtr root = xmlNewNode(nullptr, reinterpret_cast<const xmlChar*>("KONTO"));
  xmlDocSetRootElement(doc, root);
  FillRaw(root, record);
  return doc;
}

inline xmlDocPtr ParseRaw(const std::string& text) {
  return xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                       XML_PARSE_NONET);
}

}  // namespace ebank::bench

#endif  // EBANK_BENCH_RAW_KONTO_H_
