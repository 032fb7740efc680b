#include "ebank/platform/com/com_error.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/platform/com/testing/fake_com_object_for_testing.h"
#include "ebank/platform/hresult.h"

namespace {

using ebank::testing::FakeComObject;

IErrorInfo* MakeErrorInfo(const wchar_t* description, const wchar_t* source) {
  ICreateErrorInfo* create = nullptr;
  EXPECT_EQ(CreateErrorInfo(&create), S_OK);
  create->SetDescription(const_cast<wchar_t*>(description));
  create->SetSource(const_cast<wchar_t*>(source));
  IErrorInfo* info = nullptr;
  create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
  create->Release();
  return info;
}

TEST(ComErrorTest, CarriesItsErrorObjectWithCountedReferences) {
  IErrorInfo* info = MakeErrorInfo(L"Parser failed", L"Xml.Document");
  {
    _com_error error(E_FAIL, info, true);
    _com_error copy = error;
    EXPECT_EQ(copy.Error(), E_FAIL);
    EXPECT_STREQ(static_cast<const wchar_t*>(copy.Description()), L"Parser failed");
    EXPECT_STREQ(static_cast<const char*>(copy.Source()), "Xml.Document");
    IErrorInfo* handed_out = copy.ErrorInfo();
    EXPECT_EQ(handed_out, info);
    handed_out->Release();
    _com_error plain(E_POINTER);
    plain = copy;
    EXPECT_EQ(plain.Error(), E_FAIL);
  }
  EXPECT_EQ(info->Release(), 0u);  // every reference the errors took is back

  _com_error without(E_POINTER);
  EXPECT_EQ(without.ErrorInfo(), nullptr);
  EXPECT_TRUE(!without.Description());
}

TEST(ComErrorTest, ErrorMessageNamesTheFailure) {
  const std::string system_text = _com_error(E_FAIL).ErrorMessage();
  EXPECT_FALSE(system_text.empty());
  EXPECT_NE(system_text.back(), '\n');
  EXPECT_STREQ(_com_error(MakeHResult(0x8004FFFF)).ErrorMessage(), "IDispatch error #65023");
  EXPECT_EQ(_com_error(MakeHResult(0x8004FFFF)).WCode(), 65023);
  EXPECT_EQ(_com_error(E_FAIL).WCode(), 0);
  EXPECT_STREQ(_com_error(MakeHResult(0xA123BCDE)).ErrorMessage(), "Unknown error 0xA123BCDE");
}

template <typename Action>
HRESULT RaisedHResult(Action action) {
  try {
    action();
  } catch (const _com_error& error) {
    EXPECT_EQ(error.ErrorInfo(), nullptr);
    return error.Error();
  }
  return S_OK;
}

HRESULT ErrorRaisedBy(IUnknown* object, IErrorInfo** info) {
  try {
    _com_issue_errorex(E_ACCESSDENIED, object, IID_IDispatch);
  } catch (const _com_error& error) {
    *info = error.ErrorInfo();
    return error.Error();
  }
  return S_OK;
}

TEST(ComErrorTest, IssueErrorExTakesTheThreadObjectOnlyWhenSupported) {
  IErrorInfo* pending = MakeErrorInfo(L"pending", L"");
  FakeComObject* refusing = new FakeComObject(S_FALSE);
  FakeComObject* supporting = new FakeComObject(S_OK);
  IErrorInfo* captured = nullptr;
  SetErrorInfo(0, pending);

  EXPECT_EQ(ErrorRaisedBy(nullptr, &captured), E_ACCESSDENIED);
  EXPECT_EQ(captured, nullptr);
  EXPECT_EQ(ErrorRaisedBy(static_cast<IDispatch*>(refusing), &captured), E_ACCESSDENIED);
  EXPECT_EQ(captured, nullptr);
  EXPECT_EQ(ErrorRaisedBy(static_cast<IDispatch*>(supporting), &captured), E_ACCESSDENIED);
  EXPECT_EQ(captured, pending);
  IErrorInfo* left_on_thread = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &left_on_thread), S_FALSE);

  captured->Release();
  EXPECT_EQ(pending->Release(), 0u);
  EXPECT_EQ(refusing->Release(), 0u);
  EXPECT_EQ(supporting->Release(), 0u);
  EXPECT_EQ(RaisedHResult([] { _com_issue_error(E_INVALIDARG); }), E_INVALIDARG);
}

}  // namespace
