#include "ebank/core/iptr.h"

#include <gtest/gtest.h>

#include "ebank/core/error_info_exception.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/com_object.h"

namespace {

struct IFirst : IUnknown {
  STDMETHOD_(int, First)() = 0;
};
struct ISecond : IUnknown {
  STDMETHOD_(int, Second)() = 0;
};
struct IMissing : IUnknown {};

const IID IID_IFirst = {0xA1, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
const IID IID_ISecond = {0xA2, 0, 0, {0, 0, 0, 0, 0, 0, 0, 2}};
const IID IID_IMissing = {0xA3, 0, 0, {0, 0, 0, 0, 0, 0, 0, 3}};
const CLSID CLSID_Twofold = {0xA4, 0, 0, {0, 0, 0, 0, 0, 0, 0, 4}};

using FirstPtr = ddCOM::IPtr<IFirst, &IID_IFirst>;
using SecondPtr = ddCOM::IPtr<ISecond, &IID_ISecond>;
using MissingPtr = ddCOM::IPtr<IMissing, &IID_IMissing>;

// An object with two interfaces whose count the test reads; it is never freed
// by Release, so a test can look at the count after the last one.
class Twofold final
    : public ebank::platform::ScopedComObject<ebank::platform::Implements<IFirst, &IID_IFirst>,
                                              ebank::platform::Implements<ISecond, &IID_ISecond>> {
 public:
  STDMETHODIMP_(int) First() override { return 1; }
  STDMETHODIMP_(int) Second() override { return 2; }
};

class TwofoldFactory final : public ebank::platform::ScopedComObject<
                                 ebank::platform::Implements<IClassFactory, &IID_IClassFactory>> {
 public:
  STDMETHODIMP CreateInstance(IUnknown*, REFIID iid, void** object) override {
    return made.QueryInterface(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

  Twofold made;
};

TEST(IPtrTest, CountsReferencesThroughCopyAttachDetachAndRelease) {
  Twofold object;
  {
    FirstPtr held(static_cast<IFirst*>(&object), true);
    EXPECT_EQ(object.References(), 1u);
    FirstPtr copy(held);
    EXPECT_EQ(object.References(), 2u);
    IFirst* extra = copy.Copy();
    EXPECT_EQ(object.References(), 3u);
    FirstPtr adopted;
    adopted.Attach(extra);
    EXPECT_EQ(object.References(), 3u);
    adopted = held;
    EXPECT_EQ(object.References(), 3u)
        << "assignment released the old reference and took a new one";
    copy.Release();
    EXPECT_TRUE(copy.IsNothing());
    EXPECT_TRUE(!copy);
    EXPECT_EQ(object.References(), 2u);
  }
  EXPECT_EQ(object.References(), 0u);

  FirstPtr detached(static_cast<IFirst*>(&object), true);
  IFirst* raw = detached.Detach();
  EXPECT_EQ(raw, static_cast<IFirst*>(&object));
  EXPECT_TRUE(detached.IsNothing());
  EXPECT_EQ(object.References(), 1u) << "Detach keeps the reference for the caller";
  raw->Release();

  FirstPtr out(static_cast<IFirst*>(&object), true);
  EXPECT_EQ(*out.RetVal(), nullptr);
  EXPECT_EQ(object.References(), 0u) << "RetVal releases before handing out the field";
}

TEST(IPtrTest, QueryFromUnknownRaisesOrReturnsENoInterface) {
  Twofold object;
  SecondPtr second(static_cast<IUnknown*>(static_cast<IFirst*>(&object)));
  EXPECT_EQ(second->Second(), 2);
  EXPECT_EQ(object.References(), 1u);

  try {
    MissingPtr missing(static_cast<IUnknown*>(second.ByVal()));
    FAIL() << "expected ddCOM::ErrorInfo";
  } catch (const ddCOM::ErrorInfo& error) {
    EXPECT_EQ(error.HResult(), E_NOINTERFACE);
  }
  MissingPtr missing;
  EXPECT_EQ(missing.InitFromObject(second), E_NOINTERFACE);
  EXPECT_TRUE(missing.IsNothing());
  EXPECT_EQ(missing.InitFromObject(nullptr), S_OK);
  FirstPtr first;
  EXPECT_EQ(first.InitFromObject(second), S_OK);
  EXPECT_EQ(first->First(), 1);
  first = static_cast<IUnknown*>(nullptr);
  EXPECT_TRUE(first.IsNothing());
  second.Release();
  EXPECT_EQ(object.References(), 0u);
}

TEST(IPtrTest, IdentityComparesObjectsAcrossInterfaces) {
  Twofold object;
  Twofold other;
  FirstPtr first(static_cast<IFirst*>(&object), true);
  SecondPtr second(static_cast<ISecond*>(&object), true);
  FirstPtr first_again(static_cast<IUnknown*>(second.ByVal()));
  FirstPtr stranger(static_cast<IFirst*>(&other), true);
  FirstPtr null_one, null_two;

  EXPECT_TRUE(first.IsSameObject(second));
  EXPECT_TRUE(first == first_again);
  EXPECT_TRUE(first != stranger);
  EXPECT_TRUE(null_one == null_two);
  EXPECT_TRUE(null_one != first);
  EXPECT_TRUE(first != null_one);
  EXPECT_EQ(object.References(), 3u) << "identity queries release what they obtained";
}

TEST(IPtrTest, CreatesByClsidAndProgIdThroughTheClassTable) {
  TwofoldFactory factory;
  ASSERT_EQ(ebank::platform::RegisterClassFactory(CLSID_Twofold, L"Ebank.Twofold", &factory), S_OK);
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  {
    SecondPtr by_clsid(CLSID_Twofold, CLSCTX_INPROC_SERVER, nullptr);
    FirstPtr by_prog_id(L"EBANK.TWOFOLD", CLSCTX_INPROC_SERVER, nullptr);
    EXPECT_TRUE(by_prog_id.IsSameObject(by_clsid));
    EXPECT_EQ(factory.made.References(), 2u);
    try {
      MissingPtr missing(CLSID_Twofold, CLSCTX_INPROC_SERVER, nullptr);
      FAIL() << "expected ddCOM::ErrorInfo";
    } catch (const ddCOM::ErrorInfo& error) {
      EXPECT_EQ(error.HResult(), E_NOINTERFACE);
    }
  }
  EXPECT_EQ(factory.made.References(), 0u);
  CoUninitialize();
  EXPECT_THROW(FirstPtr(CLSID_Twofold, CLSCTX_INPROC_SERVER, nullptr), ddCOM::ErrorInfo)
      << "COM is no longer initialised on this thread";
  EXPECT_EQ(ebank::platform::RevokeClassFactory(CLSID_Twofold), S_OK);
}

}  // namespace
