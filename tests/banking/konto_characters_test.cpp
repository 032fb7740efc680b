// Every code point through the account writers: what KontoToXml and
// KontoToXmlbStr write must read back, through libxml2 itself and through
// XmlToKonto, as the text with each character XML cannot carry stored as '?'.
#include <libxml/chvalid.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "ebank/banking/cdb_account.h"
#include "ebank/platform/win32/code_page.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gtest/gtest.h"

namespace {

using ddXML::testing::Text;
using BString = CDBAccount::BString;

// The characters of XML 1.0, as libxml2 decides them.
bool IsLibxmlChar(wchar_t c) {
  const auto code = static_cast<uint32_t>(c);
  return xmlIsCharQ(code);
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}

// The text of the first `name` element below the root, as libxml2 reads the
// document; nothing when libxml2 refuses it.
std::optional<std::string> LibxmlText(const std::string& xml, const char* name) {
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, "UTF-8",
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      &xmlFreeDoc);
  if (doc == nullptr) return std::nullopt;
  for (xmlNode* child = xmlDocGetRootElement(doc.get())->children; child; child = child->next) {
    if (std::strcmp(reinterpret_cast<const char*>(child->name), name) != 0) continue;
    xmlChar* content = xmlNodeGetContent(child);
    std::string text(reinterpret_cast<const char*>(content));
    xmlFree(content);
    return text;
  }
  return std::string();
}

// A text as the library hands it on: through the ANSI code page and widened
// byte by byte.
std::wstring ThroughCodePage(const std::wstring& text) {
  const std::string narrow = ebank::platform::NarrowFromWide(text);
  std::wstring wide;
  for (const char byte : narrow) wide += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  return wide;
}

// Empty when the texts are equal, otherwise where and how they first differ,
// so that a failure does not print thousands of characters.
template <typename Text>
std::string FirstDifference(const std::optional<Text>& actual, const Text& expected) {
  if (!actual) return "the text was refused";
  std::size_t at = 0;
  while (at < actual->size() && at < expected.size() && (*actual)[at] == expected[at]) ++at;
  if (at == actual->size() && at == expected.size()) return "";
  const auto code = [](const Text& text, std::size_t i) {
    return i < text.size() ? std::to_string(uint32_t(text[i])) : std::string("end");
  };
  return "at " + std::to_string(at) + ": " + code(*actual, at) + " instead of " +
         code(expected, at);
}

class KontoCharactersTest : public ddXML::testing::XmlTest {};

TEST_F(KontoCharactersTest, EveryCodePointReadsBackAsItselfOrTheMark) {
  constexpr char32_t kChunk = 4096;
  // Beyond the code points: what a 32-bit BSTR can hold besides.
  const std::wstring beyond = {wchar_t(0x110000), wchar_t(0x7FFFFFFF), wchar_t(-1), L'x'};
  for (char32_t first = 1; first <= 0x110000; first += kChunk) {
    std::wstring text = first > 0x10FFFF ? beyond : std::wstring();
    for (char32_t c = first; c < first + kChunk && c <= 0x10FFFF; ++c) text += wchar_t(c);
    std::wstring stored;
    for (const wchar_t c : text) stored += IsLibxmlChar(c) ? c : L'?';

    CDBAccount account(BString(L"1234"), BString(L"50010517"), BString(L"EUR"));
    account.m_bstrName = BString(text.data(), static_cast<UINT>(text.size()));
    ddXML::CXmlClass doc;
    account.KontoToXml(doc);
    const std::wstring dom(doc.getDocument()->Getxml());
    EXPECT_EQ(FirstDifference(LibxmlText(Utf8(dom), "NAME"), Utf8(stored)), "") << uint32_t{first};

    const _bstr_t direct = account.KontoToXmlbStr();
    EXPECT_EQ(FirstDifference(std::optional(std::wstring(direct)), Text(doc.getXml())), "")
        << uint32_t{first} << ": the direct and the DOM writer agree";
    CDBAccount read;
    EXPECT_NO_THROW(read.XmlToKonto(static_cast<wchar_t*>(direct))) << uint32_t{first};
    EXPECT_EQ(FirstDifference(std::optional(Text(read.m_bstrName)),
                              ThroughCodePage(ThroughCodePage(stored))),
              "")
        << uint32_t{first};
    if (HasFailure()) break;
  }
}

}  // namespace
