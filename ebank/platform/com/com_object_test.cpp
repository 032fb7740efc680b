#include "ebank/platform/com/com_object.h"

#include <gtest/gtest.h>

#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/without_late_binding.h"

namespace {

using ebank::platform::ComObject;
using ebank::platform::Implements;
using ebank::platform::ScopedComObject;
using ebank::platform::WithoutLateBinding;

int destroyed = 0;

class Sample final : public ComObject<Implements<WithoutLateBinding<IDispatch>, &IID_IDispatch>,
                                      Implements<ISupportErrorInfo, &IID_ISupportErrorInfo>> {
 public:
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return S_FALSE; }

 private:
  ~Sample() override { ++destroyed; }
};

TEST(ComObjectTest, AnswersItsInterfacesWithOneIdentity) {
  Sample* sample = new Sample;
  IUnknown* via_unknown = nullptr;
  ISupportErrorInfo* via_support = nullptr;
  IDispatch* via_dispatch = nullptr;
  ASSERT_EQ(sample->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&via_support)),
            S_OK);
  ASSERT_EQ(via_support->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&via_unknown)),
            S_OK);
  ASSERT_EQ(via_unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&via_dispatch)),
            S_OK);
  EXPECT_EQ(via_unknown, static_cast<IUnknown*>(static_cast<IDispatch*>(sample)));
  EXPECT_EQ(via_dispatch, static_cast<IDispatch*>(sample));
  EXPECT_NE(static_cast<void*>(via_support), static_cast<void*>(via_dispatch));
  EXPECT_EQ(via_dispatch->GetTypeInfoCount(nullptr), E_NOTIMPL);
  EXPECT_EQ(sample->References(), 4u);

  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(sample->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(sample->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

  destroyed = 0;
  via_unknown->Release();
  via_support->Release();
  via_dispatch->Release();
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(sample->Release(), 0u);
  EXPECT_EQ(destroyed, 1);
}

// Lives in the test's scope; IDispatch is in its vtable but not answered.
class Scoped final : public ScopedComObject<Implements<WithoutLateBinding<IDispatch>>,
                                            Implements<ISupportErrorInfo, &IID_ISupportErrorInfo>> {
 public:
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }
};

TEST(ComObjectTest, ScopedObjectOnlyCountsAndAnswersListedIdsOnly) {
  Scoped scoped;
  EXPECT_EQ(scoped.References(), 0u);
  void* found = reinterpret_cast<void*>(1);
  EXPECT_EQ(scoped.QueryInterface(IID_IDispatch, &found), E_NOINTERFACE);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(scoped.References(), 0u);

  IUnknown* identity = nullptr;
  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(scoped.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  ASSERT_EQ(identity->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)),
            S_OK);
  EXPECT_EQ(identity, static_cast<IUnknown*>(static_cast<IDispatch*>(&scoped)));
  EXPECT_EQ(support, static_cast<ISupportErrorInfo*>(&scoped));
  EXPECT_EQ(scoped.References(), 2u);
  EXPECT_EQ(support->Release(), 1u);
  EXPECT_EQ(identity->Release(), 0u);
  EXPECT_EQ(scoped.References(), 0u) << "the last Release leaves the object in place";
  EXPECT_EQ(scoped.AddRef(), 1u);
  EXPECT_EQ(scoped.Release(), 0u);
}

}  // namespace
