#include "ebank/diagnostics/installation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/without_late_binding.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::g_bIsEbankingInstalled;
using ::testing::ElementsAre;

constexpr CLSID kCheckClass = {
    0xC7FDECA8, 0x8D32, 0x46CA, {0x8B, 0xEF, 0x72, 0xD4, 0xB4, 0xBF, 0x5F, 0x21}};

// An automation object that counts its references; it lives in the fixture,
// so a final Release does not delete it.
class CheckObject final
    : public platform::ScopedComObject<
          platform::Implements<platform::WithoutLateBinding<IDispatch>, &IID_IDispatch>> {};

class CheckFactory final
    : public platform::ScopedComObject<platform::Implements<IClassFactory, &IID_IClassFactory>> {
 public:
  explicit CheckFactory(CheckObject* object) : object_(object) {}
  STDMETHODIMP CreateInstance(IUnknown*, REFIID iid, void** object) override {
    ++creations;
    if (ask_while_creating) answer_while_creating = g_bIsEbankingInstalled();
    return object_->QueryInterface(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
  int creations = 0;
  bool ask_while_creating = false;
  bool answer_while_creating = true;

 private:
  CheckObject* object_;
};

class InstallationTest : public TraceTest {
 protected:
  void SetUp() override {
    TraceTest::SetUp();
    ASSERT_GE(CoInitializeEx(nullptr, COINIT_MULTITHREADED), 0);
    ASSERT_EQ(platform::RegisterClassFactory(kCheckClass, nullptr, &factory_), S_OK);
  }
  void TearDown() override {
    platform::RevokeClassFactory(kCheckClass);
    CoUninitialize();
    TraceTest::TearDown();
  }
  void LoadInstallation(const std::filesystem::path& directory) {
    LoadSettings("\"TraceLevel\"=dword:00000010\n" + DirectoryValue("ZEB32DIR", directory));
  }

  CheckObject object_;
  CheckFactory factory_{&object_};
};

TEST_F(InstallationTest, ExistingDirectoryAndCreatableClassMeanInstalledOnceAndForAll) {
  LoadInstallation(directory_);
  EXPECT_TRUE(g_bIsEbankingInstalled());
  EXPECT_EQ(factory_.creations, 1);
  EXPECT_EQ(object_.References(), 0u);  // the instance is released at once
  LoadSettings("");
  EXPECT_TRUE(g_bIsEbankingInstalled());
  EXPECT_EQ(factory_.creations, 1);
  EXPECT_THAT(DebugOutput(), ElementsAre("g_bIsEbankingInstalled returned: 1\n"));
}

TEST_F(InstallationTest, ClassAskingDuringItsCreationGetsFalseInsteadOfWaiting) {
  LoadInstallation(directory_);
  factory_.ask_while_creating = true;
  EXPECT_TRUE(g_bIsEbankingInstalled());
  EXPECT_FALSE(factory_.answer_while_creating);
  EXPECT_EQ(factory_.creations, 1);
}

TEST_F(InstallationTest, MissingDirectoryAnswersFalseWithoutCreatingTheClass) {
  LoadInstallation(directory_ / "absent");
  EXPECT_FALSE(g_bIsEbankingInstalled());
  EXPECT_EQ(factory_.creations, 0);
  LoadInstallation(directory_);
  EXPECT_FALSE(g_bIsEbankingInstalled());  // the first answer holds
  EXPECT_THAT(DebugOutput(), ElementsAre("g_bIsEbankingInstalled returned: 0\n"));
}

TEST_F(InstallationTest, UncreatableClassOrMissingKeyAnswerFalse) {
  platform::RevokeClassFactory(kCheckClass);
  LoadInstallation(directory_);
  EXPECT_FALSE(g_bIsEbankingInstalled());

  ResetDiagnosticsForTesting();
  platform::LoadRegistryForTesting("REGEDIT4\n");
  EXPECT_FALSE(g_bIsEbankingInstalled());
}

TEST_F(InstallationTest, ThreadWithoutComCountsAsNotInstalled) {
  LoadInstallation(directory_);
  bool installed = true;
  std::thread([&] { installed = g_bIsEbankingInstalled(); }).join();
  EXPECT_FALSE(installed);
  EXPECT_EQ(factory_.creations, 0);
}

}  // namespace
}  // namespace ebank::diagnostics
