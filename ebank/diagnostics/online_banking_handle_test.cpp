#include "ebank/diagnostics/online_banking_handle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/platform/win32/format_message.h"
#include "ebank/platform/win32/module.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::g_getOrvOnlineBankingHandle;
using ::testing::ElementsAre;

using OnlineBankingHandleTest = TraceTest;

constexpr char kClsid[] = "{3B1A2C4D-0000-4000-8000-00000000AB01}";

// Registers the online-banking ProgID with `server` as its in-process server.
std::string Registration(const std::string& server) {
  return std::string("[HKEY_CLASSES_ROOT\\OrvOnlineBanking.OrvOnline\\CLSID]\n@=\"") + kClsid +
         "\"\n\n[HKEY_CLASSES_ROOT\\CLSID\\" + kClsid + "\\InprocServer32]\n@=\"" + server + "\"\n";
}

std::string OwnLibraryPath() {
  char path[260];
  const HMODULE library =
      platform::ModuleFromAddress(reinterpret_cast<const void*>(&g_getOrvOnlineBankingHandle));
  EXPECT_NE(GetModuleFileNameA(library, path, sizeof(path)), 0u);
  return path;
}

TEST_F(OnlineBankingHandleTest, LoadedModuleIsFoundByNameOrByItsRegistration) {
  const std::string library = OwnLibraryPath();
  const HMODULE expected = GetModuleHandleA(library.c_str());
  ASSERT_NE(expected, nullptr);
  // By name: no registry needed.
  EXPECT_EQ(g_getOrvOnlineBankingHandle(library.c_str()), expected);
  // By the registered server file of the ProgID.
  LoadSettings("\"TraceLevel\"=dword:00000010\n", Registration(library));
  EXPECT_EQ(g_getOrvOnlineBankingHandle("not-loaded.so"), expected);
  EXPECT_THAT(DebugOutput(), ::testing::IsEmpty());
}

TEST_F(OnlineBankingHandleTest, UnregisteredProgIdTracesTheFailedLookup) {
  LoadSettings("\"TraceLevel\"=dword:00000010\n");
  EXPECT_EQ(g_getOrvOnlineBankingHandle("not-loaded.so"), nullptr);
  EXPECT_THAT(DebugOutput(), ElementsAre("CLSID konnte aus der ProgID OrvOnlineBanking.OrvOnline "
                                         "nicht ermittelt werden ! HRESULT: 0x800401f3\n"));
}

TEST_F(OnlineBankingHandleTest, RegisteredButNotLoadedServerTracesTheSystemText) {
  LoadSettings("\"TraceLevel\"=dword:00000010\n", Registration("/nowhere/online.so"));
  EXPECT_EQ(g_getOrvOnlineBankingHandle("other.so"), nullptr);
  char* text = nullptr;
  ASSERT_NE(FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                           ERROR_MOD_NOT_FOUND, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr),
            0u);
  const std::string expected =
      std::string("Module Handle von OrvOnlineBanking ist NULL ! GetLastError: ") + text + "\n";
  LocalFree(text);
  EXPECT_THAT(DebugOutput(), ElementsAre(expected));
}

}  // namespace
}  // namespace ebank::diagnostics
