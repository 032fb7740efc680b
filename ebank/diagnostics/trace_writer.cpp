#include "ebank/diagnostics/trace_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "ebank/diagnostics/bounded_line.h"
#include "ebank/diagnostics/clock_text.h"
#include "ebank/diagnostics/context_stack.h"
#include "ebank/diagnostics/directories.h"
#include "ebank/diagnostics/file_header.h"
#include "ebank/diagnostics/system_message.h"
#include "ebank/diagnostics/testing_hooks.h"
#include "ebank/diagnostics/trace_level.h"
#include "ebank/platform/win32/debug_output.h"
#include "ebank/platform/win32/last_error.h"
#include "ebank/platform/win32/wvsprintf.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::kTraceBoxError;
using ovEBankHelper::kTraceBoxWarning;
using ovEBankHelper::kTraceFileError;
using ovEBankHelper::kTraceFileWarning;

struct Level {
  const char* word;
  DWORD box_bits;
  UINT icon;
  DWORD file_bits;
};

// Indexed by Severity; INFO follows either bit of each pair.
constexpr Level kLevels[] = {
    {"INFO", kTraceBoxError | kTraceBoxWarning, MB_ICONINFORMATION,
     kTraceFileError | kTraceFileWarning},
    {"WARNING", kTraceBoxWarning, MB_ICONWARNING, kTraceFileWarning},
    {"ERROR", kTraceBoxError, MB_ICONERROR, kTraceFileError},
};

constexpr std::size_t kMessageSize = 2048;
// The platform formatter writes at most this many characters and a NUL.
constexpr int kMaxFormatted = 1023;
constexpr std::size_t kCaptionSize = 64;
constexpr std::size_t kPathSize = 128;
constexpr std::size_t kFileLineSize = 2560;
constexpr char kSeparator[] =
    "----------------------------------------------------------------------------------------------"
    "------\n";
static_assert(sizeof(kSeparator) == 102);

// The trace file of the process: opened by the first file entry, closed when
// the library is unloaded.
class TraceFile {
 public:
  ~TraceFile() { Close(); }

  // Appends one whole entry; entries of other threads wait, while a trace made
  // by the file header of this thread's first entry nests inside it.
  void AppendEntry(Severity severity, const char* message) {
    std::lock_guard lock(mutex_);
    if (!Open()) return;
    WriteEntryLine(severity, message);
    if (severity != Severity::kInfo) WriteSystemErrorSection();
    if (severity != Severity::kInfo && TopContextName() != nullptr) {
      WriteCallStackSection(stream_);
    }
    std::fputs(kSeparator, stream_);
    std::fflush(stream_);
  }

  void Close() {
    std::lock_guard lock(mutex_);
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    next_line_ = 1;
  }

 private:
  // Creates or truncates the file in the data directory and writes the header.
  // A path longer than the buffer is cut.
  bool Open() {
    if (stream_ != nullptr) return true;
    char path[kPathSize];
    std::snprintf(path, sizeof(path), "%s/EBankingTrace.txt", ovEBankHelper::g_getZEBDataPath());
    stream_ = std::fopen(path, "w");
    if (stream_ == nullptr) return false;
    WriteFileHeader(stream_);
    return true;
  }

  void WriteEntryLine(Severity severity, const char* message) {
    char time[kClockTextSize];
    FormatTimeOfDay(time);
    const int number = TakeLineNumber();
    const char* word = kLevels[static_cast<int>(severity)].word;
    if (const char* context = TopContextName()) {
      WriteBoundedLine(stream_, kFileLineSize, "%.3d %s (%s) %s: %s", number, time, context, word,
                       message);
    } else {
      WriteBoundedLine(stream_, kFileLineSize, "%.3d %s %s: %s", number, time, word, message);
    }
  }

  // The thread's last error as it stands now, split into its lines.
  void WriteSystemErrorSection() {
    const DWORD code = GetLastError();
    if (code == 0) return;
    const SystemMessage message(code);
    if (message.text() == nullptr) return;
    std::fputs("Systemfehlermeldung:\n", stream_);
    for (const char* piece = message.text(); *piece != '\0';) {
      const std::size_t length = std::strcspn(piece, "\r\n");
      if (length > 0) std::fprintf(stream_, "%.*s\n", static_cast<int>(length), piece);
      piece += length;
      piece += std::strspn(piece, "\r\n");
    }
  }

  // Numbers run on past 2^31 - 1 by wrapping instead of overflowing.
  int TakeLineNumber() {
    const int number = next_line_;
    next_line_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(next_line_) + 1);
    return number;
  }

  std::recursive_mutex mutex_;
  std::FILE* stream_ = nullptr;
  int next_line_ = 1;
};

TraceFile trace_file;

// Formats the message (cut by the formatter at 1023 characters) and shows it.
void ShowAndWrite(Severity severity, DWORD mask, const char* format, va_list args) {
  const Level& level = kLevels[static_cast<int>(severity)];
  char message[kMessageSize];
  const int length = std::clamp(wvsprintfA(message, format, args), 0, kMaxFormatted);
  if ((mask & level.box_bits) != 0) {
    char caption[kCaptionSize];
    std::snprintf(caption, sizeof(caption), "EBanking Trace: %s", level.word);
    MessageBoxA(nullptr, message, caption, MB_OK | level.icon);
  }
  std::memcpy(message + length, "\n", 2);
  OutputDebugStringA(message);
  if ((mask & level.file_bits) != 0) trace_file.AppendEntry(severity, message);
}

}  // namespace

void WriteTrace(Severity severity, const char* format, va_list args) noexcept {
  if (format == nullptr) return;
  const DWORD mask = ovEBankHelper::g_getEBankTraceLevel();
  if (mask == 0) return;
  try {
    ShowAndWrite(severity, mask, format, args);
  } catch (...) {
    // Tracing never fails its caller; an entry that could not be built is lost.
  }
}

void ResetTraceWriterForTesting() {
  trace_file.Close();
}

}  // namespace ebank::diagnostics
