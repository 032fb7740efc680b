// Cost of a trace call: switched off by a cached mask of 0, and writing one
// trace file entry, against fprintf + fflush of the same line to a file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "ebank/diagnostics/testing/reset_diagnostics_for_testing.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/win32/debug_output.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"

namespace {

// A temporary data directory for the trace file, removed at exit.
class DataDirectory {
 public:
  DataDirectory() {
    std::string name = (std::filesystem::temp_directory_path() / "ebank-bench-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path_ = name;
  }
  ~DataDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const DataDirectory& Directory() {
  static const DataDirectory directory;
  return directory;
}

// Tracing state as a process with `mask` in the registry sees it. Debugger
// output is discarded, as when no debugger listens.
void UseMask(const char* mask) {
  ebank::diagnostics::ResetDiagnosticsForTesting();
  ebank::platform::SetDebugOutputSink([](std::string_view) {});
  ebank::platform::LoadRegistryForTesting(
      std::string(
          "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\BRANTEL\\MIRA]\n\"TraceLevel\"=dword:") +
      mask + "\n\"ZEB32DATA\"=\"" + Directory().path().string() + "\"\n");
  ovEBankHelper::g_getEBankTraceLevel();
}

void BM_TraceSwitchedOff(benchmark::State& state) {
  UseMask("00000000");
  int value = 0;
  for (auto _ : state) ovEBankHelper::g_TraceInfo("value %d", ++value);
}
BENCHMARK(BM_TraceSwitchedOff);

void BM_TraceFileEntry(benchmark::State& state) {
  UseMask("00000004");
  ovEBankHelper::g_TraceInfo("open the file and write its header");
  for (auto _ : state) ovEBankHelper::g_TraceInfo("benchmark entry %d", 42);
  ebank::diagnostics::ResetDiagnosticsForTesting();
}
BENCHMARK(BM_TraceFileEntry);

// The reference: the same entry line with its separator, written and flushed.
void BM_FprintfFflush(benchmark::State& state) {
  std::FILE* file = std::fopen((Directory().path() / "reference.txt").c_str(), "w");
  if (file == nullptr) {
    state.SkipWithError("cannot create the reference file");
    return;
  }
  const std::string separator(100, '-');
  int number = 1;
  for (auto _ : state) {
    std::fprintf(file, "%.3d %s %s: benchmark entry %d\n%s\n", ++number, "12:00:00", "INFO", 42,
                 separator.c_str());
    std::fflush(file);
  }
  std::fclose(file);
}
BENCHMARK(BM_FprintfFflush);

}  // namespace
