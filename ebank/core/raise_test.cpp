#include "ebank/core/raise.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/core/error.h"
#include "ebank/core/error_info_exception.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace {

// What reached a handler for the base class, and its most derived kind.
struct Caught {
  HRESULT hresult = S_OK;
  std::string kind = "nothing";
};

template <typename Action>
Caught CatchFrom(Action action) {
  Caught caught;
  try {
    action();
  } catch (ddCOM::Exception& error) {
    caught.hresult = error.HResult();
    if (dynamic_cast<ddCOM::Error*>(&error) != nullptr) {
      caught.kind = "Error";
    } else if (dynamic_cast<ddCOM::ErrorInfo*>(&error) != nullptr) {
      caught.kind = "ErrorInfo";
    } else {
      caught.kind = "Exception";
    }
  }
  return caught;
}

TEST(RaiseTest, EachFunctionThrowsItsKind) {
  Caught plain = CatchFrom([] { ddCOM::RaiseHResult(E_POINTER); });
  EXPECT_EQ(plain.kind, "Exception");
  EXPECT_EQ(plain.hresult, E_POINTER);
  Caught error = CatchFrom([] { ddCOM::Raise(E_INVALIDARG, "bad"); });
  EXPECT_EQ(error.kind, "Error");
  EXPECT_EQ(error.hresult, E_INVALIDARG);
  Caught info = CatchFrom([] { ddCOM::CheckHResult(E_FAIL); });
  EXPECT_EQ(info.kind, "ErrorInfo");
  EXPECT_EQ(info.hresult, E_FAIL);

  try {
    ddCOM::Raise(E_FAIL, "Ung\xFCltig");
  } catch (const ddCOM::Error& raised) {
    BSTR text = raised.Description();
    EXPECT_STREQ(text, L"Ung\u00FCltig");
    SysFreeString(text);
  }
}

TEST(RaiseTest, CheckHResultPassesEverySuccessCode) {
  for (HRESULT success : {S_OK, S_FALSE, HRESULT{0x7FFFFFFF}, HRESULT{0x00040001}}) {
    EXPECT_EQ(CatchFrom([&] { ddCOM::CheckHResult(success); }).kind, "nothing") << success;
  }
  EXPECT_EQ(CatchFrom([] { ddCOM::CheckHResult(MakeHResult(0x80000000)); }).kind, "ErrorInfo");
}

}  // namespace
