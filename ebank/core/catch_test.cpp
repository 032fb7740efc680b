#include "ebank/core/catch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ebank/core/error.h"
#include "ebank/core/exception.h"
#include "ebank/core/raise.h"
#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/platform/com/com_error.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/format_message.h"

namespace {

using ebank::diagnostics::CapturedBox;

constexpr GUID kComponent = {0x12345678, 0x1234, 0x4321, {1, 2, 3, 4, 5, 6, 7, 8}};

class CatchTest : public ebank::diagnostics::TraceTest {
 protected:
  void SetUp() override {
    TraceTest::SetUp();
    // Boxes for WARNING and ERROR: their captions name the severity.
    LoadSettings("\"TraceLevel\"=dword:00000003\n");
  }

  // Runs `thrower` inside a try block and returns what Catch makes of it.
  template <typename Thrower>
  static LONG CatchFrom(Thrower thrower) {
    try {
      thrower();
    } catch (...) {
      return ddCOM::Catch(kComponent);
    }
    ADD_FAILURE() << "nothing was thrown";
    return S_OK;
  }

  // The one box shown since the last call.
  CapturedBox TakeBox() {
    const auto boxes = Boxes();
    EXPECT_EQ(boxes.size(), seen_boxes_ + 1);
    seen_boxes_ = boxes.size();
    return boxes.empty() ? CapturedBox{} : boxes.back();
  }

  static std::string SystemText(HRESULT code) {
    char* text = nullptr;
    if (FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                       static_cast<DWORD>(code), 0, reinterpret_cast<LPSTR>(&text), 0,
                       nullptr) == 0) {
      return "";
    }
    std::string result(text);
    LocalFree(text);
    return result;
  }

 private:
  size_t seen_boxes_ = 0;
};

void ExpectBox(const CapturedBox& box, const char* level, const std::string& text) {
  EXPECT_EQ(box.caption, std::string("EBanking Trace: ") + level);
  EXPECT_EQ(box.text, text);
}

TEST_F(CatchTest, LibraryExceptionsAreWarningsWithTheirDescriptionAndGiveEFail) {
  EXPECT_EQ(CatchFrom([] { ddCOM::Raise(0x80040154, "Could not create XML Parser"); }), E_FAIL);
  ExpectBox(TakeBox(), "WARNING", "ddCOM::Exception 0x80040154: Could not create XML Parser");

  // Without a text of its own the description is the system's text.
  EXPECT_EQ(CatchFrom([] { ddCOM::RaiseHResult(E_OUTOFMEMORY); }), E_FAIL);
  ASSERT_FALSE(SystemText(E_OUTOFMEMORY).empty());
  ExpectBox(TakeBox(), "WARNING", "ddCOM::Exception 0x8007000e: " + SystemText(E_OUTOFMEMORY));

  // No text anywhere: the trace gets a null text.
  EXPECT_EQ(CatchFrom([] { throw ddCOM::Exception(0x80041234); }), E_FAIL);
  ExpectBox(TakeBox(), "WARNING", "ddCOM::Exception 0x80041234: (null)");

  // Wide descriptions pass through the ANSI code page.
  EXPECT_EQ(CatchFrom([] { throw ddCOM::Error(E_INVALIDARG, L"\u00dcberweisung \u20ac"); }),
            E_FAIL);
  ExpectBox(TakeBox(), "WARNING",
            "ddCOM::Exception 0x80070057: \xdc"
            "berweisung \x80");
}

TEST_F(CatchTest, StandardExceptionsAreErrorsWithTheirMessage) {
  EXPECT_EQ(CatchFrom([] { throw std::overflow_error("Currency overflow"); }), E_FAIL);
  ExpectBox(TakeBox(), "ERROR", "STL Exception (E_FAIL): Currency overflow");

  struct Silent : std::exception {
    const char* what() const noexcept override { return nullptr; }
  };
  EXPECT_EQ(CatchFrom([] { throw Silent(); }), E_FAIL);
  ExpectBox(TakeBox(), "ERROR", "STL Exception (E_FAIL)");
}

TEST_F(CatchTest, ComErrorsAreErrorsWithTheErrorObjectsDescription) {
  EXPECT_EQ(CatchFrom([] { throw _com_error(E_NOINTERFACE); }), E_FAIL);
  ExpectBox(TakeBox(), "ERROR", "COM Exception 0x80004002: (null)");

  ICreateErrorInfo* creator = nullptr;
  ASSERT_EQ(CreateErrorInfo(&creator), S_OK);
  creator->SetDescription(const_cast<LPOLESTR>(L"Node not found"));
  IErrorInfo* info = nullptr;
  ASSERT_EQ(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  creator->Release();
  EXPECT_EQ(CatchFrom([info] { throw _com_error(E_POINTER, info); }), E_FAIL);
  ExpectBox(TakeBox(), "ERROR", "COM Exception 0x80004003: Node not found");
}

TEST_F(CatchTest, AnythingElseIsUnexpected) {
  EXPECT_EQ(CatchFrom([] { throw 42; }), E_UNEXPECTED);
  ExpectBox(TakeBox(), "ERROR", "Unknown Exception (E_UNEXPECTED)");
  // Called with no exception in flight it answers the same instead of ending
  // the process.
  EXPECT_EQ(ddCOM::Catch(kComponent), E_UNEXPECTED);
  ExpectBox(TakeBox(), "ERROR", "Unknown Exception (E_UNEXPECTED)");
}

TEST_F(CatchTest, SetsNoErrorObjectAndWorksWithTracingOff) {
  LoadSettings("");
  EXPECT_EQ(CatchFrom([] { ddCOM::Raise(E_FAIL, "quiet"); }), E_FAIL);
  EXPECT_EQ(CatchFrom([] { throw std::runtime_error("quiet"); }), E_FAIL);
  IErrorInfo* info = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &info), S_FALSE);
  EXPECT_EQ(info, nullptr);
  EXPECT_THAT(Boxes(), ::testing::IsEmpty());
  EXPECT_THAT(DebugOutput(), ::testing::IsEmpty());
}

}  // namespace
