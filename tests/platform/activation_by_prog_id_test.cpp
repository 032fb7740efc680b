// Creation of a class served by a registered in-process server, by ProgID,
// through CoCreateInstance and through IPtr.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "ebank/core/error_info_exception.h"
#include "ebank/core/iptr.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/task_memory.h"
#include "ebank/platform/win32/registry.h"
#include "tests/platform/test_counter.h"

namespace {

// {6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C03}, registered with a missing server file.
constexpr CLSID kMissingServer = {
    0x6C1E0A52, 0x3D1B, 0x4F7A, {0x9E, 0x0C, 0x2B, 0x5D, 0x8A, 0x7F, 0x1C, 0x03}};
// {6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C04}, not registered at all.
constexpr CLSID kUnregistered = {
    0x6C1E0A52, 0x3D1B, 0x4F7A, {0x9E, 0x0C, 0x2B, 0x5D, 0x8A, 0x7F, 0x1C, 0x04}};

class ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream file(EBANK_TEST_REGISTRY);
    ebank::platform::LoadRegistryForTesting(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  }
  void TearDown() override {
    CoUninitialize();
    ebank::platform::ResetRegistryForTesting();
  }
};

TEST_F(ActivationTest, CreatesTheRegisteredServerByProgId) {
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"ebank.testcounter", &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_TestCounter));

  ITestCounter* counter = nullptr;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_ITestCounter,
                             reinterpret_cast<void**>(&counter)),
            S_OK);
  LONG value = 0;
  EXPECT_EQ(counter->Increment(&value), S_OK);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(counter->Release(), 0u);

  LPOLESTR prog_id = nullptr;
  ASSERT_EQ(ProgIDFromCLSID(CLSID_TestCounter, &prog_id), S_OK);
  EXPECT_STREQ(prog_id, L"Ebank.TestCounter");
  CoTaskMemFree(prog_id);
}

TEST_F(ActivationTest, IPtrCreatesByProgIdAndKeepsItsPointerOnUnknownProgIds) {
  using CounterPtr = ddCOM::IPtr<ITestCounter, &IID_ITestCounter>;
  CounterPtr counter(L"Ebank.TestCounter", CLSCTX_INPROC_SERVER, nullptr);
  ASSERT_FALSE(counter.IsNothing());
  LONG value = 0;
  counter->Increment(&value);
  counter->Increment(&value);
  EXPECT_EQ(value, 2);

  ITestCounter* before = counter;
  try {
    counter.CreateInstance(L"Ebank.NoSuchClass", CLSCTX_INPROC_SERVER, nullptr);
    FAIL() << "an unknown ProgID must throw";
  } catch (const ddCOM::ErrorInfo& error) {
    EXPECT_EQ(error.HResult(), CO_E_CLASSSTRING);
  }
  EXPECT_EQ(static_cast<ITestCounter*>(counter), before);

  counter.CreateInstance(L"{6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C02}", CLSCTX_INPROC_SERVER, nullptr);
  counter->Increment(&value);
  EXPECT_EQ(value, 1) << "a new object";
}

TEST_F(ActivationTest, UnregisteredOrBrokenClassesFailAsOnWindows) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CoCreateInstance(kUnregistered, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CoCreateInstance(kMissingServer, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(
      CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object),
      REGDB_E_CLASSNOTREG)
      << "no local servers here";
  EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_ALL, IID_IDispatch, &object),
            E_NOINTERFACE);
  LPOLESTR prog_id = nullptr;
  EXPECT_EQ(ProgIDFromCLSID(kMissingServer, &prog_id), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(prog_id, nullptr);
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(L"Ebank.Unknown", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromProgID(L"{not a clsid}", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromProgID(L"Ebank\\TestCounter", &clsid), CO_E_CLASSSTRING);
}

}  // namespace
