// Cost of a trace call: switched off by a cached mask of 0, and writing one
// trace file entry, against fprintf + fflush of the same line to a file. The
// same pair writing to the null device leaves out the file system's part of
// the write, which both sides pay alike, and so compares each side's own work.
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

constexpr char kTraceFileName[] = "EBankingTrace.txt";

// A temporary data directory for the trace file, removed at exit.
class DataDirectory {
 public:
  DataDirectory() {
    std::string name = (std::filesystem::temp_directory_path() / "ebank-bench-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path_ = name;
  }
  // With its trace file a symbolic link to `trace_file_target`.
  explicit DataDirectory(const char* trace_file_target) : DataDirectory() {
    std::error_code ignored;
    std::filesystem::create_symlink(trace_file_target, path_ / kTraceFileName, ignored);
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

const DataDirectory& NullDeviceDirectory() {
  static const DataDirectory directory("/dev/null");
  return directory;
}

// Tracing state as a process with `mask` in the registry sees it. Debugger
// output is discarded, as when no debugger listens.
void UseMask(const char* mask, const DataDirectory& directory = Directory()) {
  ebank::diagnostics::ResetDiagnosticsForTesting();
  ebank::platform::SetDebugOutputSink([](std::string_view) {});
  ebank::platform::LoadRegistryForTesting(
      std::string(
          "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\BRANTEL\\MIRA]\n\"TraceLevel\"=dword:") +
      mask + "\n\"ZEB32DATA\"=\"" + directory.path().string() + "\"\n");
  ovEBankHelper::g_getEBankTraceLevel();
}

void BM_TraceSwitchedOff(benchmark::State& state) {
  UseMask("00000000");
  int value = 0;
  for (auto _ : state) ovEBankHelper::g_TraceInfo("value %d", ++value);
}
BENCHMARK(BM_TraceSwitchedOff);

void TraceEntries(benchmark::State& state, const DataDirectory& directory) {
  UseMask("00000004", directory);
  ovEBankHelper::g_TraceInfo("open the file and write its header");
  for (auto _ : state) ovEBankHelper::g_TraceInfo("benchmark entry %d", 42);
  ebank::diagnostics::ResetDiagnosticsForTesting();
}

void BM_TraceFileEntry(benchmark::State& state) {
  TraceEntries(state, Directory());
}
BENCHMARK(BM_TraceFileEntry);

void BM_TraceEntryToNullDevice(benchmark::State& state) {
  if (!std::filesystem::is_symlink(NullDeviceDirectory().path() / kTraceFileName)) {
    state.SkipWithError("cannot link the trace file to the null device");
    return;
  }
  TraceEntries(state, NullDeviceDirectory());
}
BENCHMARK(BM_TraceEntryToNullDevice);

// The reference: the same entry line with its separator, written and flushed.
void FprintfFflush(benchmark::State& state, const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
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

void BM_FprintfFflush(benchmark::State& state) {
  FprintfFflush(state, Directory().path() / "reference.txt");
}
BENCHMARK(BM_FprintfFflush);

void BM_FprintfFflushToNullDevice(benchmark::State& state) {
  FprintfFflush(state, "/dev/null");
}
BENCHMARK(BM_FprintfFflushToNullDevice);

}  // namespace
