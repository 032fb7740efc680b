#include "ebank/diagnostics/internal/trace_writer.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>

#include "ebank/diagnostics/directories.h"
#include "ebank/diagnostics/internal/clock_text.h"
#include "ebank/diagnostics/internal/context_stack.h"
#include "ebank/diagnostics/internal/file_header.h"
#include "ebank/diagnostics/internal/system_message.h"
#include "ebank/diagnostics/internal/testing_hooks.h"
#include "ebank/diagnostics/internal/trace_message.h"
#include "ebank/diagnostics/trace_level.h"
#include "ebank/platform/win32/debug_output.h"
#include "ebank/platform/win32/last_error.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::kTraceBoxError;
using ovEBankHelper::kTraceBoxWarning;
using ovEBankHelper::kTraceFileError;
using ovEBankHelper::kTraceFileWarning;

struct Level {
  std::string_view word;
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

constexpr std::size_t kCaptionSize = 64;
constexpr std::size_t kPathSize = 128;
// The file line buffer: at most 2559 characters and the NUL.
constexpr std::size_t kMaxLineLength = 2559;
constexpr char kFileName[] = "EBankingTrace.txt";
constexpr std::string_view kSeparator =
    "----------------------------------------------------------------------------------------------"
    "------\n";
static_assert(kSeparator.size() == 101);

// Hands `size` bytes to the file, going on after a partial write; a failed
// write loses the rest, as a failed stream flush would.
void WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

// The trace file of the process: opened by the first file entry, closed when
// the library is unloaded. Each entry is built whole in memory and handed to
// the file in one write, with no stream buffer in between.
class TraceFile {
 public:
  ~TraceFile() { Close(); }

  // Appends one whole entry for `message` (which ends in its line feed);
  // entries of other threads wait, while a trace made by the file header of
  // this thread's first entry nests inside it.
  void AppendEntry(Severity severity, std::string_view message) {
    std::lock_guard lock(mutex_);
    if (!Open()) return;
    entry_.clear();
    AppendEntryLine(severity, message);
    if (severity != Severity::kInfo) AppendSystemErrorSection();
    if (severity != Severity::kInfo && TopContextName() != nullptr) {
      AppendCallStackSection(entry_);
    }
    entry_ += kSeparator;
    Emit(entry_);
  }

  void Close() {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    next_line_ = 1;
    reported_long_path_ = false;
  }

 private:
  // Creates or truncates the file in the data directory and writes the header.
  // A path that does not fit its buffer would name another file: it is not
  // opened, and the debugger output says so once.
  bool Open() {
    if (fd_ >= 0) return true;
    const char* directory = ovEBankHelper::g_getZEBDataPath();
    char path[kPathSize];
    const int length = std::snprintf(path, sizeof path, "%s/%s", directory, kFileName);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof path) {
      ReportLongPath(directory);
      return false;
    }
    fd_ = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) return false;
    WriteHeader();
    return true;
  }

  void ReportLongPath(const char* directory) {
    if (reported_long_path_) return;
    reported_long_path_ = true;
    const std::string note = std::string("EBanking Trace: Pfad der Trace-Datei laenger als ") +
                             std::to_string(kPathSize - 1) +
                             " Zeichen, keine Trace-Datei: " + directory + "/" + kFileName + "\n";
    OutputDebugStringA(note.c_str());
  }

  // The header is collected in memory, together with any entry its lookups
  // trace, and written in one piece.
  void WriteHeader() {
    char* text = nullptr;
    std::size_t size = 0;
    header_ = open_memstream(&text, &size);
    if (header_ == nullptr) return;
    WriteFileHeader(header_);
    std::fclose(header_);
    header_ = nullptr;
    WriteAll(fd_, text, size);
    std::free(text);
  }

  void Emit(std::string_view text) {
    if (header_ != nullptr) {
      std::fwrite(text.data(), 1, text.size(), header_);
    } else {
      WriteAll(fd_, text.data(), text.size());
    }
  }

  // "NNN HH:MM:SS [(context) ]LEVEL: message", the first line of the entry,
  // put together piece by piece (this is the hot path of every entry). A line
  // longer than its buffer is cut, and its last kept character becomes the
  // line feed.
  void AppendEntryLine(Severity severity, std::string_view message) {
    using namespace std::string_view_literals;
    AppendLineNumber(TakeLineNumber());
    char time[kClockTextSize];
    FormatTimeOfDay(time);
    const std::string_view time_text(time, time[0] != '\0' ? kClockTextSize - 1 : 0);
    bool cut = AppendToLine(" "sv) || AppendToLine(time_text) || AppendToLine(" "sv);
    if (const char* context = TopContextName()) {
      cut = cut || AppendToLine("("sv) || AppendToLine(context) || AppendToLine(") "sv);
    }
    cut = cut || AppendToLine(kLevels[static_cast<int>(severity)].word) || AppendToLine(": "sv) ||
          AppendToLine(message);
    if (cut) entry_.back() = '\n';
  }

  // At least three digits, as "%.3d" writes them.
  void AppendLineNumber(int number) {
    char digits[16];
    const unsigned magnitude =
        number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
    const char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    const auto count = static_cast<std::size_t>(end - digits);
    if (number < 0) entry_ += '-';
    if (count < 3) entry_.append(3 - count, '0');
    entry_.append(digits, count);
  }

  // Appends what fits of `text` to the entry line; true when it was cut.
  bool AppendToLine(std::string_view text) {
    const std::size_t room = kMaxLineLength - entry_.size();
    entry_.append(text.data(), std::min(text.size(), room));
    return text.size() > room;
  }
  // A caller's text is measured only as far as the line can take it.
  bool AppendToLine(const char* text) {
    const std::size_t room = kMaxLineLength - entry_.size();
    return AppendToLine(std::string_view(text, strnlen(text, room + 1)));
  }

  // The thread's last error as it stands now, split into its lines.
  void AppendSystemErrorSection() {
    const DWORD code = GetLastError();
    if (code == 0) return;
    const SystemMessage message(code);
    if (message.text() == nullptr) return;
    entry_ += "Systemfehlermeldung:\n";
    for (const char* piece = message.text(); *piece != '\0';) {
      const std::size_t length = std::strcspn(piece, "\r\n");
      if (length > 0) entry_.append(piece, length) += '\n';
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
  int fd_ = -1;
  std::FILE* header_ = nullptr;  // the header being collected while the file opens
  bool reported_long_path_ = false;
  int next_line_ = 1;
  std::string entry_;  // the entry being built, its capacity kept between entries
};

TraceFile trace_file;

// Formats the message and shows it.
void ShowAndWrite(Severity severity, DWORD mask, const char* format, va_list args) {
  const Level& level = kLevels[static_cast<int>(severity)];
  char message[kTraceMessageSize];
  const std::size_t length = FormatTraceMessage(message, format, args);
  if ((mask & level.box_bits) != 0) {
    char caption[kCaptionSize];
    std::snprintf(caption, sizeof(caption), "EBanking Trace: %s", level.word.data());
    MessageBoxA(nullptr, message, caption, MB_OK | level.icon);
  }
  std::memcpy(message + length, "\n", 2);
  OutputDebugStringA(message);
  if ((mask & level.file_bits) != 0) {
    trace_file.AppendEntry(severity, std::string_view(message, length + 1));
  }
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

#ifdef EBANK_TEST_HOOKS
void ResetTraceWriterForTesting() {
  trace_file.Close();
}
#endif

}  // namespace ebank::diagnostics
