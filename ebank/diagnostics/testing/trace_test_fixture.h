// Test fixture for the diagnostics: a temporary data directory, a registry
// loaded from text, capturing debugger-output and message-box sinks, and the
// trace file read back as lines. Every test starts from freshly loaded state.
#ifndef EBANK_DIAGNOSTICS_TESTING_TRACE_TEST_FIXTURE_H_
#define EBANK_DIAGNOSTICS_TESTING_TRACE_TEST_FIXTURE_H_

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "ebank/diagnostics/testing/reset_diagnostics_for_testing.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/win32/debug_output.h"
#include "ebank/platform/win32/last_error.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"

namespace ebank::diagnostics {

struct CapturedBox {
  std::string caption;
  std::string text;
  UINT type;
};

class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* temp = std::getenv("TMPDIR");
    std::string templ =
        std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/ebank-trace-XXXXXX";
    std::vector<char> name(templ.begin(), templ.end());
    name.push_back('\0');
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    directory_ = name.data();
    debug_output_.clear();
    boxes_.clear();
    previous_debug_ = platform::SetDebugOutputSink([this](std::string_view text) {
      std::lock_guard lock(mutex_);
      debug_output_.emplace_back(text);
    });
    previous_box_ = platform::SetMessageBoxSink(
        [this](std::string_view caption, std::string_view text, UINT type) {
          std::lock_guard lock(mutex_);
          boxes_.push_back({std::string(caption), std::string(text), type});
        });
    platform::LoadRegistryForTesting("REGEDIT4\n");
    ResetDiagnosticsForTesting();
    SetLastError(0);
  }

  void TearDown() override {
    ResetDiagnosticsForTesting();
    platform::ResetRegistryForTesting();
    platform::SetDebugOutputSink(previous_debug_);
    platform::SetMessageBoxSink(previous_box_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  // Loads a registry whose settings key holds `values` (lines of .reg text)
  // plus `extra` keys after it.
  static void LoadSettings(const std::string& values, const std::string& extra = "") {
    platform::LoadRegistryForTesting("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\BRANTEL\\MIRA]\n" +
                                     values + "\n" + extra);
  }

  // Settings with the data directory in the temporary directory and `mask`;
  // every reported component is registered (without a file), so the file
  // header traces nothing of its own.
  void LoadTraceSettings(DWORD mask, const std::string& more_values = "") {
    char mask_value[32];
    std::snprintf(mask_value, sizeof(mask_value), "\"TraceLevel\"=dword:%08x\n", mask);
    LoadSettings(mask_value + DirectoryValue("ZEB32DATA", directory_) + more_values,
                 QuietComponents());
  }

  // Opens the trace file with an INFO entry (number 001).
  static void OpenTraceFile() { ovEBankHelper::g_TraceInfo("trace file opened"); }

  static std::string QuietComponents() {
    static const char* const kProgIds[] = {"OrvOnlineBanking.OrvOnline",
                                           "Brantel.OrvBtx",
                                           "Brantel.OrvTxnDB",
                                           "Brantel.OrvTxnProcessing",
                                           "OrvTxnPrintAndDTA.OrvTxnUeberweisung",
                                           "OrvScreenScraping.OrvScrapeAdmin",
                                           "DataDesign.BACBanking",
                                           "DataDesign.BACHbciSvc",
                                           "DataDesign.BACDTAUSFile",
                                           "DataDesign.BACSwift",
                                           "DataDesign.BACFinTS4Adapter",
                                           "DataDesign.BACSecurityDDV",
                                           "DataDesign.BACSecurityRDH",
                                           "DataDesign.BACSecurityTAN",
                                           "DataDesign.BACTransportTCPIP",
                                           "DataDesign.BACTransportHTTP"};
    std::string text;
    int number = 0;
    for (const char* prog_id : kProgIds) {
      char clsid[64];
      std::snprintf(clsid, sizeof(clsid), "{0E0B0A0C-0000-4000-8000-0000000000%02X}", ++number);
      text += std::string("[HKEY_CLASSES_ROOT\\") + prog_id + "\\CLSID]\n@=\"" + clsid +
              "\"\n\n[HKEY_CLASSES_ROOT\\CLSID\\" + clsid +
              "\\InprocServer32]\n@=\"/nonexistent/component.so\"\n\n";
    }
    return text;
  }

  static std::string DirectoryValue(const char* name, const std::filesystem::path& directory) {
    return "\"" + std::string(name) + "\"=\"" + directory.string() + "\"\n";
  }

  std::filesystem::path TraceFilePath() const { return directory_ / "EBankingTrace.txt"; }

  static std::vector<std::string> ReadLines(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

  // The trace file's lines after its header (the second line of stars).
  std::vector<std::string> EntryLines() const {
    const auto lines = ReadLines(TraceFilePath());
    int stars = 0;
    size_t first = 0;
    while (first < lines.size() && stars < 2) {
      if (lines[first++] == std::string(100, '*')) ++stars;
    }
    return {lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end()};
  }

  std::vector<std::string> DebugOutput() {
    std::lock_guard lock(mutex_);
    return debug_output_;
  }
  std::vector<CapturedBox> Boxes() {
    std::lock_guard lock(mutex_);
    return boxes_;
  }

  static std::string Separator() { return std::string(100, '-'); }

  std::filesystem::path directory_;

 private:
  std::mutex mutex_;
  std::vector<std::string> debug_output_;
  std::vector<CapturedBox> boxes_;
  platform::DebugOutputSink previous_debug_;
  platform::MessageBoxSink previous_box_;
};

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_TESTING_TRACE_TEST_FIXTURE_H_
