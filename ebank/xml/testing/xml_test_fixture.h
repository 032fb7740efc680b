// Test support for CXmlClass tests: COM initialised on the test thread, a
// private temporary directory, and helpers that read back what was written.
#ifndef EBANK_XML_TESTING_XML_TEST_FIXTURE_H_
#define EBANK_XML_TESTING_XML_TEST_FIXTURE_H_

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ebank/core/bstring.h"
#include "ebank/core/exception.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/com_support.h"
#include "ebank/platform/com/testing/com_error_for_testing.h"
#include "gtest/gtest.h"

namespace ddXML::testing {

class XmlTest : public ::testing::Test {
 protected:
  // COM is initialised before the derived fixtures build their documents and
  // left after they are gone.
  XmlTest() { initialized_ = CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  ~XmlTest() override { CoUninitialize(); }

  void SetUp() override {
    ASSERT_GE(initialized_, 0);
    std::string pattern = (std::filesystem::temp_directory_path() / "ebank-xml-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string PathOf(const std::string& name) const { return (directory_ / name).string(); }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  HRESULT initialized_;
  std::filesystem::path directory_;
};

// The wide text of a BString, empty for null.
inline std::wstring Text(const ddCOM::BString<wchar_t>& text) {
  return std::wstring(text.ByVal(), text.Length());
}

using ebank::testing::ComErrorOf;

// The HRESULT a call throws as ddCOM::Exception (or a subclass), else 0.
template <typename Call>
LONG DdComErrorOf(Call call) {
  try {
    call();
  } catch (const ddCOM::Exception& error) {
    return error.HResult();
  }
  return 0;
}

}  // namespace ddXML::testing

#endif  // EBANK_XML_TESTING_XML_TEST_FIXTURE_H_
