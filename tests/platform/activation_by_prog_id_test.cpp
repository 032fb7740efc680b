// Creation of a class served by a registered in-process server, by ProgID,
// through CoCreateInstance and through IPtr.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ebank/core/error_info_exception.h"
#include "ebank/core/iptr.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/task_memory.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"
#include "tests/platform/test_counter.h"

namespace {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// {6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C03}, registered with a missing server file.
constexpr CLSID kMissingServer = {
    0x6C1E0A52, 0x3D1B, 0x4F7A, {0x9E, 0x0C, 0x2B, 0x5D, 0x8A, 0x7F, 0x1C, 0x03}};
// {6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C04}, not registered at all.
constexpr CLSID kUnregistered = {
    0x6C1E0A52, 0x3D1B, 0x4F7A, {0x9E, 0x0C, 0x2B, 0x5D, 0x8A, 0x7F, 0x1C, 0x04}};

std::string TestRegistry() {
  std::ifstream file(EBANK_TEST_REGISTRY);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The description of the thread's error object, taken from the thread.
std::string TakeErrorDescription() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return "<no error object>";
  BSTR description = nullptr;
  info->GetDescription(&description);
  info->Release();
  const std::wstring wide = description != nullptr ? description : L"";
  SysFreeString(description);
  return std::string(wide.begin(), wide.end());
}

class ActivationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ebank::platform::LoadRegistryForTesting(TestRegistry());
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

// Registers `server` as the in-process server of `clsid_text` beside the test
// registry's classes.
void RegisterServer(const std::string& clsid_text, const std::string& server) {
  ebank::platform::LoadRegistryForTesting(TestRegistry() + "\n[HKEY_CLASSES_ROOT\\CLSID\\" +
                                          clsid_text + "\\InprocServer32]\n@=\"" + server + "\"\n");
}

// A server file cut short would fault the process inside the loader; it is
// refused before loading. Every failed load says why in the error object, and
// a component's IPtr carries that reason in its exception.
TEST_F(ActivationTest, UnusableServerFilesAreRefusedWithTheReason) {
  const char* temp = std::getenv("TMPDIR");
  std::string name =
      std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/ebank-activation-XXXXXX";
  ASSERT_NE(mkdtemp(name.data()), nullptr);
  const std::filesystem::path directory = name;
  const std::filesystem::path truncated = directory / "trunc.so";
  std::filesystem::copy_file(EBANK_TEST_SERVER, truncated);
  std::filesystem::resize_file(truncated, 6000);
  const std::string clsid_text = "{6C1E0A52-3D1B-4F7A-9E0C-2B5D8A7F1C05}";
  const std::wstring wide_clsid(clsid_text.begin(), clsid_text.end());
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(wide_clsid.c_str(), &clsid), S_OK);
  void* object = nullptr;

  RegisterServer(clsid_text, truncated.string());
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
            HRESULT_FROM_WIN32(ERROR_BAD_FORMAT));
  EXPECT_THAT(TakeErrorDescription(),
              AllOf(StartsWith(truncated.string() + " is truncated: its program headers describe "),
                    EndsWith(" bytes, the file holds 6000")));
  using UnknownPtr = ddCOM::IPtr<IUnknown, &IID_IUnknown>;
  try {
    UnknownPtr server(wide_clsid.c_str(), CLSCTX_INPROC_SERVER, nullptr);
    ADD_FAILURE() << "a truncated server was loaded";
  } catch (const ddCOM::ErrorInfo& error) {
    BSTR description = error.Description();
    ASSERT_NE(description, nullptr);
    EXPECT_THAT(std::wstring(description), HasSubstr(L"trunc.so is truncated"));
    SysFreeString(description);
  }

  RegisterServer(clsid_text, EBANK_TEST_XSL);
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_THAT(TakeErrorDescription(),
              AllOf(HasSubstr(EBANK_TEST_XSL), HasSubstr("invalid ELF header")));
  EXPECT_EQ(CoCreateInstance(kMissingServer, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_THAT(TakeErrorDescription(), HasSubstr("/nonexistent/libmissing.so: cannot open"));
  RegisterServer(clsid_text, directory.string());
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
            HRESULT_FROM_WIN32(ERROR_BAD_FORMAT));
  EXPECT_EQ(TakeErrorDescription(), directory.string() + " is not a regular file");
  EXPECT_EQ(object, nullptr);
  std::filesystem::remove_all(directory);
}

}  // namespace
