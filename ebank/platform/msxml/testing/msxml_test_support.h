// Helpers of the XML layer's tests: COM set-up on the test thread, documents
// made through class activation, and text access.
#ifndef EBANK_PLATFORM_MSXML_TESTING_MSXML_TEST_SUPPORT_H_
#define EBANK_PLATFORM_MSXML_TESTING_MSXML_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/msxml/msxml.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ebank::platform::msxml_test {

class XmlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GE(CoInitializeEx(nullptr, COINIT_MULTITHREADED), 0); }
  void TearDown() override { CoUninitialize(); }

  static IXMLDOMDocument2Ptr NewDocument() {
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid), S_OK);
    IXMLDOMDocument2* raw = nullptr;
    EXPECT_EQ(
        CoCreateInstance(clsid, nullptr, 7, IID_IXMLDOMDocument2, reinterpret_cast<void**>(&raw)),
        S_OK);
    return IXMLDOMDocument2Ptr(raw, false);
  }

  // A document holding `xml`; the test fails when it does not parse.
  static IXMLDOMDocument2Ptr Parse(const wchar_t* xml) {
    IXMLDOMDocument2Ptr doc = NewDocument();
    EXPECT_EQ(doc->loadXML(_bstr_t(xml)), VARIANT_TRUE) << Text(doc->GetparseError()->Getreason());
    return doc;
  }

  static std::wstring Text(const _bstr_t& text) {
    const wchar_t* chars = text;
    return chars != nullptr ? std::wstring(chars, text.length()) : std::wstring();
  }
  static std::string Narrow(const _bstr_t& text) {
    const char* chars = text;
    return chars != nullptr ? chars : "";
  }

  // The texts of `bstrs`, "<none>" for a null one; frees every BSTR.
  static std::vector<std::wstring> TakeTexts(const std::vector<BSTR>& bstrs) {
    std::vector<std::wstring> texts;
    for (BSTR bstr : bstrs) {
      texts.push_back(bstr != nullptr ? std::wstring(bstr, SysStringLen(bstr)) : L"<none>");
      SysFreeString(bstr);
    }
    return texts;
  }
};

}  // namespace ebank::platform::msxml_test

#endif  // EBANK_PLATFORM_MSXML_TESTING_MSXML_TEST_SUPPORT_H_
