#include "ebank/platform/com/class_table.h"

#include <gtest/gtest.h>

#include <thread>

#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/task_memory.h"

namespace {

const CLSID kClsid = {0xC1A55, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};

// A factory that counts its references and hands out itself as the object.
class CountingFactory final : public ebank::platform::ScopedComObject<
                                  ebank::platform::Implements<IClassFactory, &IID_IClassFactory>> {
 public:
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return QueryInterface(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

TEST(ApartmentTest, CountsPerThreadAndKeepsTheFirstModel) {
  EXPECT_FALSE(ebank::platform::IsComInitializedOnThisThread());
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
  bool other_thread = true;
  std::thread([&] { other_thread = ebank::platform::IsComInitializedOnThisThread(); }).join();
  EXPECT_FALSE(other_thread);
  CoUninitialize();
  EXPECT_TRUE(ebank::platform::IsComInitializedOnThisThread());
  CoUninitialize();
  EXPECT_FALSE(ebank::platform::IsComInitializedOnThisThread());
  CoUninitialize();  // one too many does no harm
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  CoUninitialize();
}

TEST(ClassTableTest, RegisteredClassesAreCreatedAndMappedByProgIdIgnoringCase) {
  CountingFactory factory;
  EXPECT_EQ(ebank::platform::RegisterClassFactory(kClsid, nullptr, nullptr), E_INVALIDARG);
  ASSERT_EQ(ebank::platform::RegisterClassFactory(kClsid, L"Ebank.Counting.1", &factory), S_OK);
  EXPECT_EQ(factory.References(), 1u);

  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"EBANK.counting.1", &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, kClsid));
  LPOLESTR prog_id = nullptr;
  ASSERT_EQ(ProgIDFromCLSID(kClsid, &prog_id), S_OK);
  EXPECT_STREQ(prog_id, L"Ebank.Counting.1");
  CoTaskMemFree(prog_id);

  void* object = nullptr;
  EXPECT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
            CO_E_NOTINITIALIZED);
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  ASSERT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), S_OK);
  EXPECT_EQ(object, static_cast<IClassFactory*>(&factory));
  EXPECT_EQ(factory.References(), 2u) << "the table's reference and the object's";
  static_cast<IUnknown*>(object)->Release();
  EXPECT_EQ(CoCreateInstance(kClsid, &factory, CLSCTX_ALL, IID_IUnknown, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(CoGetClassObject(kClsid, CLSCTX_ALL, nullptr, IID_IDispatch, &object), E_NOINTERFACE);
  CoUninitialize();

  EXPECT_EQ(ebank::platform::RevokeClassFactory(kClsid), S_OK);
  EXPECT_EQ(factory.References(), 0u);
  EXPECT_EQ(ebank::platform::RevokeClassFactory(kClsid), S_FALSE);
  EXPECT_EQ(CLSIDFromProgID(L"Ebank.Counting.1", &clsid), CO_E_CLASSSTRING);
}

TEST(ClassTableTest, RegisteringAgainReplacesTheFactory) {
  CountingFactory first, second;
  ASSERT_EQ(ebank::platform::RegisterClassFactory(kClsid, L"Ebank.First", &first), S_OK);
  ASSERT_EQ(ebank::platform::RegisterClassFactory(kClsid, L"Ebank.Second", &second), S_OK);
  EXPECT_EQ(first.References(), 0u);
  EXPECT_EQ(second.References(), 1u);
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(L"Ebank.First", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromProgID(L"Ebank.Second", &clsid), S_OK);
  ebank::platform::RevokeClassFactory(kClsid);
  EXPECT_EQ(second.References(), 0u);
}

}  // namespace
