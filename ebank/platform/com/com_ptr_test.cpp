#include "ebank/platform/com/com_ptr.h"

#include <gtest/gtest.h>

#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/com_error.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/testing/com_error_for_testing.h"
#include "ebank/platform/com/testing/fake_com_object_for_testing.h"

namespace {

EBANK_COM_SMARTPTR_TYPEDEF(IUnknown, IID_IUnknown);
EBANK_COM_SMARTPTR_TYPEDEF(IDispatch, IID_IDispatch);
EBANK_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, IID_ISupportErrorInfo);
EBANK_COM_SMARTPTR_TYPEDEF(IClassFactory, IID_IClassFactory);

using ebank::testing::FakeClassFactory;
using ebank::testing::FakeComObject;

using ebank::testing::ComErrorOf;

TEST(ComPtrTest, NullUseRaisesEPointer) {
  IDispatchPtr empty;
  EXPECT_FALSE(empty);
  EXPECT_TRUE(empty == nullptr);
  EXPECT_EQ(ComErrorOf([&] { empty->AddRef(); }), E_POINTER);
  EXPECT_EQ(ComErrorOf([&] { static_cast<void>(*empty); }), E_POINTER);
  EXPECT_EQ(ComErrorOf([&] { empty.Release(); }), E_POINTER);
  EXPECT_EQ(ComErrorOf([&] { empty.AddRef(); }), E_POINTER);
  IDispatch* out = nullptr;
  EXPECT_EQ(empty.QueryInterface(IID_IDispatch, out), E_POINTER);
}

TEST(ComPtrTest, HoldsExactlyOneReference) {
  FakeComObject* object = new FakeComObject();
  IDispatch* raw = object;
  {
    IDispatchPtr first(raw);
    EXPECT_EQ(object->references(), 2u);
    IDispatchPtr second = first;
    IDispatchPtr third;
    third = second;
    EXPECT_EQ(object->references(), 4u);
    second = nullptr;
    EXPECT_EQ(object->references(), 3u);
    IDispatch* detached = third.Detach();
    EXPECT_EQ(third.GetInterfacePtr(), nullptr);
    third.Attach(detached);  // takes the detached reference back
    EXPECT_EQ(object->references(), 3u);
    IDispatch** slot = &third;  // releases before handing out the slot
    EXPECT_EQ(*slot, nullptr);
    EXPECT_EQ(object->references(), 2u);
    first.Release();
    EXPECT_EQ(object->references(), 1u);
  }
  EXPECT_EQ(object->Release(), 0u);
}

TEST(ComPtrTest, ConvertsByQueryAndComparesByIdentity) {
  FakeComObject* object = new FakeComObject();
  IDispatchPtr dispatch(static_cast<IDispatch*>(object), false);
  ISupportErrorInfoPtr support(dispatch);
  ASSERT_TRUE(support);
  EXPECT_EQ(support.GetInterfacePtr(), static_cast<ISupportErrorInfo*>(object));
  EXPECT_NE(static_cast<void*>(support.GetInterfacePtr()),
            static_cast<void*>(dispatch.GetInterfacePtr()));
  EXPECT_TRUE(support == dispatch);
  IUnknownPtr unknown(support);
  EXPECT_TRUE(unknown == dispatch);
  EXPECT_FALSE(unknown < dispatch || unknown > dispatch);

  IClassFactoryPtr unsupported(dispatch);  // E_NOINTERFACE gives null
  EXPECT_FALSE(unsupported);
  FakeComObject* other_object = new FakeComObject();
  IDispatchPtr other(static_cast<IDispatch*>(other_object), false);
  EXPECT_FALSE(other == dispatch);
  EXPECT_TRUE(other < dispatch || other > dispatch);
  EXPECT_EQ(object->references(), 3u);
}

class ComPtrCreationTest : public ::testing::Test {
 protected:
  static constexpr CLSID kClsid = {0x5A1E0001, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};

  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    FakeClassFactory* factory = new FakeClassFactory();
    ASSERT_EQ(ebank::platform::RegisterClassFactory(kClsid, L"Ebank.Test.Fake", factory), S_OK);
    factory->Release();
  }
  void TearDown() override {
    ebank::platform::RevokeClassFactory(kClsid);
    CoUninitialize();
  }
};

TEST_F(ComPtrCreationTest, CreatesByClsidProgIdOrClsidText) {
  IDispatchPtr by_clsid;
  EXPECT_EQ(by_clsid.CreateInstance(kClsid), S_OK);
  EXPECT_TRUE(by_clsid);
  IDispatchPtr by_prog_id;
  EXPECT_EQ(by_prog_id.CreateInstance(L"Ebank.Test.Fake"), S_OK);
  EXPECT_TRUE(by_prog_id);
  EXPECT_FALSE(by_prog_id == by_clsid);  // two objects
  IDispatchPtr by_narrow;
  EXPECT_EQ(by_narrow.CreateInstance("Ebank.Test.Fake"), S_OK);
  IDispatchPtr by_text;
  EXPECT_EQ(by_text.CreateInstance(L"{5A1E0001-0001-0002-0304-05060708090A}"), S_OK);
  EXPECT_TRUE(by_text);
  IDispatchPtr constructed(L"Ebank.Test.Fake");
  EXPECT_TRUE(constructed);
}

TEST_F(ComPtrCreationTest, FailedCreationLeavesNullOrRaises) {
  IDispatchPtr held(L"Ebank.Test.Fake");
  EXPECT_TRUE(FAILED(held.CreateInstance(L"Ebank.Test.Missing")));
  EXPECT_TRUE(FAILED(held.CreateInstance(static_cast<const char*>(nullptr))));
  const CLSID unknown = {0x5A1E0002, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
  EXPECT_TRUE(FAILED(held.CreateInstance(unknown)));
  EXPECT_FALSE(held);
  EXPECT_TRUE(FAILED(ComErrorOf([] { IDispatchPtr missing(L"Ebank.Test.Missing"); })));
  // The object exists but lacks the interface: null, not an exception.
  IClassFactoryPtr wrong_interface(L"Ebank.Test.Fake");
  EXPECT_FALSE(wrong_interface);
}

}  // namespace
