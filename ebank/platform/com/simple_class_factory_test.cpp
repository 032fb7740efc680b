#include "ebank/platform/com/simple_class_factory.h"

#include <gtest/gtest.h>

#include "ebank/platform/com/error_info.h"

namespace {

namespace platform = ebank::platform;

// Counts the objects alive, so a test sees each one made and destroyed.
int alive = 0;

class Made final
    : public platform::ComObject<platform::Implements<ISupportErrorInfo, &IID_ISupportErrorInfo>> {
 public:
  Made() { ++alive; }
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }

 private:
  ~Made() override { --alive; }
};

TEST(SimpleClassFactoryTest, MakesANewObjectPerCallAndKeepsOnlyTheCallersReference) {
  alive = 0;
  platform::SimpleClassFactory<Made, platform::OwnedByScope> factory;
  IUnknown* first = nullptr;
  IUnknown* second = nullptr;
  ASSERT_EQ(factory.CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&first)), S_OK);
  ASSERT_EQ(
      factory.CreateInstance(nullptr, IID_ISupportErrorInfo, reinterpret_cast<void**>(&second)),
      S_OK);
  EXPECT_NE(first, second);
  EXPECT_EQ(alive, 2);
  EXPECT_EQ(first->Release(), 0u);
  EXPECT_EQ(second->Release(), 0u);
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(factory.References(), 0u);
}

TEST(SimpleClassFactoryTest, RefusesBadRequestsWithoutLeavingAnObject) {
  alive = 0;
  platform::SimpleClassFactory<Made, platform::OwnedByScope> factory;
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IDispatch, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory.CreateInstance(&factory, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(factory.QueryInterface(IID_IDispatch, &object), E_NOINTERFACE);
  EXPECT_EQ(factory.LockServer(TRUE), S_OK);
}

TEST(SimpleClassFactoryTest, HeapFactoryIsAnIClassFactoryThatDeletesItself) {
  auto* factory = new platform::SimpleClassFactory<Made>();
  IClassFactory* as_factory = nullptr;
  ASSERT_EQ(factory->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&as_factory)),
            S_OK);
  EXPECT_EQ(as_factory, static_cast<IClassFactory*>(factory));
  EXPECT_EQ(factory->Release(), 1u);
  EXPECT_EQ(as_factory->Release(), 0u);  // asan reports a leak if it stayed
}

}  // namespace
