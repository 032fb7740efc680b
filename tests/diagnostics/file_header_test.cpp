// The trace file header as a process writes it: directories, the registry's
// version and the component version lines of registered, versioned modules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "ebank/diagnostics/directories.h"
#include "ebank/diagnostics/installation.h"
#include "ebank/diagnostics/online_banking_handle.h"
#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/module.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"
#include "ebank/version.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::g_TraceError;
using ovEBankHelper::g_TraceWarn;
using ::testing::MatchesRegex;

constexpr char kTime[] = "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]";

void Replace(std::string& text, const std::string& placeholder, const std::string& value) {
  for (size_t at; (at = text.find(placeholder)) != std::string::npos;) {
    text.replace(at, placeholder.size(), value);
  }
}

// `path` padded or cut to 70 columns, then the version.
std::string ComponentLine(const std::string& path, const std::string& version) {
  std::string column = path.substr(0, 70);
  column.resize(70, ' ');
  return column + " Versionsnummer: " + version;
}

class FileHeaderTest : public TraceTest {
 protected:
  // Loads the test .reg with its placeholders filled; the components are
  // reached through links in the temporary directory, one with a path longer
  // than the version column.
  void LoadComponents(const char* mask, const std::optional<std::string>& version) {
    one_ = directory_ / "one.so";
    std::filesystem::create_directory(directory_ / "install");
    std::filesystem::create_symlink(EBANK_TEST_COMPONENT_ONE, one_);
    std::filesystem::create_symlink(EBANK_TEST_COMPONENT_TWO, two_);
    std::filesystem::create_symlink(EBANK_TEST_COMPONENT_WITHOUT_VERSION, directory_ / "plain.so");
    std::ifstream file(EBANK_TEST_COMPONENTS_REG);
    std::stringstream text;
    text << file.rdbuf();
    std::string registry = text.str();
    ASSERT_FALSE(registry.empty());
    if (!version) Replace(registry, "\"Version\"=\"${VERSION}\"\n", "");
    Replace(registry, "${VERSION}", version.value_or(""));
    Replace(registry, "${COMPONENT_ONE}", one_.string());
    Replace(registry, "${COMPONENT_TWO}", two_.string());
    Replace(registry, "${COMPONENT_WITHOUT_VERSION}", (directory_ / "plain.so").string());
    Replace(registry, "${TRACE_LEVEL}", mask);
    Replace(registry, "${INSTALL_DIR}", (directory_ / "install").string());
    Replace(registry, "${DATA_DIR}", directory_.string());
    platform::LoadRegistryForTesting(registry);
  }

  // The library's own version line: its file carries the project's version.
  static std::string OwnLine() {
    char path[260];
    const HMODULE own = platform::ModuleFromAddress(reinterpret_cast<const void*>(&g_TraceError));
    EXPECT_NE(GetModuleFileNameA(own, path, sizeof(path)), 0u);
    return ComponentLine(path, EBANK_VERSION_STRING);
  }

  // Checks the header's fixed lines and returns the index of its first
  // component line.
  size_t ExpectHeaderStart(const std::vector<std::string>& lines,
                           const std::optional<std::string>& version) {
    EXPECT_GE(lines.size(), 6u);
    if (lines.size() < 6) return lines.size();
    EXPECT_EQ(lines[0], std::string(100, '*'));
    EXPECT_THAT(lines[1], MatchesRegex("Datum: [01][0-9]/[0-3][0-9]/[0-9][0-9]"));
    EXPECT_EQ(lines[2], "Installationsverzeichnis: " + (directory_ / "install").string());
    EXPECT_EQ(lines[3], "Datenverzeichnis: " + directory_.string());
    size_t next = 4;
    if (version) {
      EXPECT_EQ(lines[next++], "Versionsnummer in Registry: " + *version);
    }
    EXPECT_EQ(lines[next++], "");
    EXPECT_EQ(lines[next++], OwnLine());
    return next;
  }

  std::filesystem::path one_;
  std::filesystem::path two_;
};

TEST_F(FileHeaderTest, ListsVersionedComponentsUntilTheFirstUnregisteredOne) {
  two_ = directory_ / (std::string(80, 'l') + ".so");
  LoadComponents("00000004", "5.1.0");
  g_TraceError("opening entry");

  const auto lines = ReadLines(TraceFilePath());
  size_t next = ExpectHeaderStart(lines, "5.1.0");
  ASSERT_LT(next + 4, lines.size());
  // Component 2 has no version and is skipped; component 3's path is cut.
  EXPECT_EQ(lines[next++], ComponentLine(one_.string(), "1.0.0.7"));
  EXPECT_EQ(lines[next++], ComponentLine(two_.string(), "2.3.4.5"));
  // Component 4 is not registered: the resolver's ERROR entry takes number
  // 001 inside the header.
  EXPECT_THAT(lines[next++], MatchesRegex(std::string("001 ") + kTime +
                                          " ERROR: CLSID konnte aus der ProgID "
                                          "Brantel.OrvTxnProcessing nicht ermittelt werden ! "
                                          "HRESULT: 0x800401f3"));
  while (next < lines.size() && lines[next] != Separator()) ++next;
  ASSERT_LT(next + 2, lines.size());
  EXPECT_EQ(lines[++next], std::string(100, '*'));
  EXPECT_THAT(lines[++next], MatchesRegex(std::string("002 ") + kTime + " ERROR: opening entry"));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(100, '*')), 2);
}

TEST_F(FileHeaderTest, WithoutErrorEntriesTheHeaderHoldsNoEntryAndLongVersionsAreCut) {
  two_ = directory_ / "two.so";
  LoadComponents("00000008", std::string(40, '9'));
  g_TraceWarn("opening entry");
  g_TraceWarn("second entry");

  const auto lines = ReadLines(TraceFilePath());
  size_t next = ExpectHeaderStart(lines, std::string(31, '9'));
  ASSERT_LT(next + 3, lines.size());
  EXPECT_EQ(lines[next++], ComponentLine(one_.string(), "1.0.0.7"));
  EXPECT_EQ(lines[next++], ComponentLine(two_.string(), "2.3.4.5"));
  EXPECT_EQ(lines[next++], std::string(100, '*'));
  EXPECT_THAT(lines[next], MatchesRegex(std::string("001 ") + kTime + " WARNING: opening entry"));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(100, '*')), 2);
}

TEST_F(FileHeaderTest, MissingRegistryVersionLeavesItsLineOut) {
  two_ = directory_ / "two.so";
  LoadComponents("00000008", std::nullopt);
  g_TraceWarn("opening entry");
  const auto lines = ReadLines(TraceFilePath());
  const size_t next = ExpectHeaderStart(lines, std::nullopt);
  ASSERT_LT(next, lines.size());
  EXPECT_EQ(lines[next], ComponentLine(one_.string(), "1.0.0.7"));
}

// The header looks up versions of modules that have none (component 2), and
// the library's lookups meet missing modules on their way; none of that may
// reach a component's entries, which report the component's own last error.
TEST_F(FileHeaderTest, EntriesReportOnlyTheCallersLastError) {
  two_ = directory_ / "two.so";
  LoadComponents("00000008", "5.1.0");
  SetLastError(0);
  g_TraceWarn("opening entry");
  SetLastError(ERROR_ACCESS_DENIED);
  ovEBankHelper::g_getZEBPath();
  ovEBankHelper::g_getZEBDataPath();
  ovEBankHelper::g_bIsEbankingInstalled();
  EXPECT_EQ(ovEBankHelper::g_getOrvOnlineBankingHandle("libnot-loaded.so"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  g_TraceWarn("access refused");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  const auto entries = EntryLines();
  const auto opening = std::find_if(entries.begin(), entries.end(), [](const std::string& line) {
    return line.ends_with("WARNING: opening entry");
  });
  ASSERT_NE(opening, entries.end());
  EXPECT_EQ(*(opening + 1), Separator()) << "no system message of the header's lookups";
  const auto refused = std::find_if(opening, entries.end(), [](const std::string& line) {
    return line.ends_with("WARNING: access refused");
  });
  ASSERT_LT(refused + 3, entries.end());
  EXPECT_EQ(*(refused + 1), "Systemfehlermeldung:");
  EXPECT_EQ(*(refused + 2), "Access is denied.");
  EXPECT_EQ(*(refused + 3), Separator());
}

}  // namespace
}  // namespace ebank::diagnostics
