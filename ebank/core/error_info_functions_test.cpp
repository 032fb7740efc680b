#include "ebank/core/error_info_functions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ebank/core/support_error_info.h"
#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/testing/fake_com_object_for_testing.h"
#include "ebank/platform/hresult.h"

namespace {

using ebank::testing::FakeComObject;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A component that reports errors on all its interfaces through the mixin.
class Component : public ddCOM::SupportErrorInfo {
 public:
  STDMETHOD(QueryInterface)(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_ISupportErrorInfo) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<ISupportErrorInfo*>(this);
    return S_OK;
  }
  STDMETHOD_(ULONG, AddRef)() override { return ++references; }
  STDMETHOD_(ULONG, Release)() override { return --references; }
  ULONG references = 1;
};

// An object with no ISupportErrorInfo at all.
class Plain final : public ebank::platform::ScopedComObject<ebank::platform::Implements<IUnknown>> {
};

IErrorInfo* MakeErrorInfo(const wchar_t* description, const wchar_t* source) {
  ICreateErrorInfo* creator = nullptr;
  EXPECT_EQ(CreateErrorInfo(&creator), S_OK);
  if (description) creator->SetDescription(const_cast<LPOLESTR>(description));
  if (source) creator->SetSource(const_cast<LPOLESTR>(source));
  IErrorInfo* info = nullptr;
  EXPECT_EQ(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  creator->Release();
  return info;
}

ULONG ReferenceCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

TEST(SupportsErrorInfoTest, TrueOnlyForAnExactSOkAndReferencesStayBalanced) {
  Component component;
  EXPECT_EQ(component.InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);
  EXPECT_TRUE(ddCOM::SupportsErrorInfo(&component, IID_IDispatch));
  EXPECT_EQ(component.references, 1u);

  auto* s_false = new FakeComObject(S_FALSE);
  auto* failing = new FakeComObject(E_FAIL);
  Plain plain;
  EXPECT_FALSE(ddCOM::SupportsErrorInfo(static_cast<IDispatch*>(s_false), IID_IUnknown));
  EXPECT_FALSE(ddCOM::SupportsErrorInfo(static_cast<IDispatch*>(failing), IID_IUnknown));
  EXPECT_FALSE(ddCOM::SupportsErrorInfo(&plain, IID_IUnknown));
  EXPECT_FALSE(ddCOM::SupportsErrorInfo(nullptr, IID_IUnknown));
  EXPECT_EQ(s_false->references(), 1u);
  EXPECT_EQ(failing->references(), 1u);
  EXPECT_EQ(plain.References(), 0u);
  s_false->Release();
  failing->Release();

  // The mixin copies nothing.
  Component copy(component);
  copy = component;
  EXPECT_EQ(copy.references, 1u);
}

class TraceErrorInfoTest : public ebank::diagnostics::TraceTest {
 protected:
  void SetUp() override {
    TraceTest::SetUp();
    LoadSettings("\"TraceLevel\"=dword:00000010\n");
  }
};

TEST_F(TraceErrorInfoTest, PendingErrorObjectIsDescribedAndLeftPending) {
  IErrorInfo* pending = MakeErrorInfo(L"Datei fehlt", L"Brantel.OrvTxnDB");
  SetErrorInfo(0, pending);
  ddCOM::TraceErrorInfo(nullptr);
  EXPECT_THAT(DebugOutput(), ElementsAre("ErrorInfo: Datei fehlt (Brantel.OrvTxnDB)\n"));
  IErrorInfo* still_pending = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &still_pending), S_OK);
  EXPECT_EQ(still_pending, pending);
  EXPECT_EQ(still_pending->Release(), 1u);  // only the test's reference is left
  pending->Release();
}

TEST_F(TraceErrorInfoTest, CallersObjectIsUntouchedAndMissingTextsShowAsNull) {
  IErrorInfo* pending = MakeErrorInfo(L"pending", nullptr);
  SetErrorInfo(0, pending);
  IErrorInfo* given = MakeErrorInfo(nullptr, nullptr);
  const ULONG before = ReferenceCount(given);
  ddCOM::TraceErrorInfo(given);
  EXPECT_EQ(ReferenceCount(given), before);
  EXPECT_THAT(DebugOutput(), ElementsAre("ErrorInfo: (null) ((null))\n"));
  given->Release();

  IErrorInfo* still_pending = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &still_pending), S_OK);
  EXPECT_EQ(still_pending, pending);
  still_pending->Release();
  pending->Release();
}

TEST_F(TraceErrorInfoTest, NothingPendingOrTracingOffEmitsNothingAndClearRemoves) {
  ddCOM::TraceErrorInfo(nullptr);
  EXPECT_THAT(DebugOutput(), IsEmpty());

  IErrorInfo* pending = MakeErrorInfo(L"gone", nullptr);
  SetErrorInfo(0, pending);
  pending->Release();
  ddCOM::ClearErrorInfo();
  IErrorInfo* none = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &none), S_FALSE);
  EXPECT_EQ(none, nullptr);

  ebank::diagnostics::ResetDiagnosticsForTesting();
  LoadSettings("");
  IErrorInfo* quiet = MakeErrorInfo(L"quiet", nullptr);
  ddCOM::TraceErrorInfo(quiet);
  quiet->Release();
  EXPECT_THAT(DebugOutput(), IsEmpty());
}

}  // namespace
