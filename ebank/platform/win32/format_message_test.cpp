#include "ebank/platform/win32/format_message.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/last_error.h"

namespace {

constexpr DWORD kSystemAlloc = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM;

// The system text for `code` as the library's callers ask for it.
std::string SystemText(DWORD code, DWORD flags = kSystemAlloc, DWORD language = 0) {
  char* text = nullptr;
  const DWORD length =
      FormatMessageA(flags, nullptr, code, language, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  if (length == 0) {
    EXPECT_EQ(text, nullptr);
    return "";
  }
  std::string result(text, length);
  EXPECT_EQ(LocalFree(text), nullptr);
  return result;
}

// Formats `format` from a string with the variable arguments as inserts.
std::string FromString(DWORD flags, const char* format, ...) {
  va_list args;
  va_start(args, format);
  char buffer[256];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | flags, format, 0, 0, buffer,
                                      sizeof buffer, &args);
  va_end(args);
  return length == 0 ? "<failed>" : std::string(buffer, length);
}

TEST(FormatMessageTest, SystemTextsOfWellKnownCodes) {
  EXPECT_EQ(SystemText(static_cast<DWORD>(E_FAIL)), "Unspecified error\r\n");
  EXPECT_EQ(SystemText(static_cast<DWORD>(E_OUTOFMEMORY)),
            "Not enough memory resources are available to complete this operation.\r\n");
  EXPECT_EQ(SystemText(static_cast<DWORD>(E_ACCESSDENIED)), "Access is denied.\r\n");
  EXPECT_EQ(SystemText(static_cast<DWORD>(E_INVALIDARG)), "The parameter is incorrect.\r\n");
  EXPECT_EQ(SystemText(static_cast<DWORD>(REGDB_E_CLASSNOTREG)), "Class not registered\r\n");
  // A Win32 code and its FACILITY_WIN32 HRESULT share one text.
  EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), "The system cannot find the file specified.\r\n");
  EXPECT_EQ(SystemText(static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))),
            "The system cannot find the file specified.\r\n");
  EXPECT_EQ(SystemText(0), "The operation completed successfully.\r\n");
}

TEST(FormatMessageTest, EveryKnownCodeHasALineEndedText) {
  const HRESULT codes[] = {S_OK,
                           S_FALSE,
                           E_NOTIMPL,
                           E_NOINTERFACE,
                           E_POINTER,
                           E_ABORT,
                           E_FAIL,
                           E_UNEXPECTED,
                           E_ACCESSDENIED,
                           E_HANDLE,
                           E_OUTOFMEMORY,
                           E_INVALIDARG,
                           DISP_E_UNKNOWNINTERFACE,
                           DISP_E_MEMBERNOTFOUND,
                           DISP_E_PARAMNOTFOUND,
                           DISP_E_TYPEMISMATCH,
                           DISP_E_UNKNOWNNAME,
                           DISP_E_BADVARTYPE,
                           DISP_E_EXCEPTION,
                           DISP_E_OVERFLOW,
                           DISP_E_DIVBYZERO,
                           CLASS_E_NOAGGREGATION,
                           CLASS_E_CLASSNOTAVAILABLE,
                           REGDB_E_READREGDB,
                           REGDB_E_CLASSNOTREG,
                           CO_E_NOTINITIALIZED,
                           CO_E_CLASSSTRING,
                           CO_E_DLLNOTFOUND,
                           CO_E_ERRORINDLL,
                           RPC_E_CHANGED_MODE,
                           ERROR_FILE_NOT_FOUND,
                           ERROR_PATH_NOT_FOUND,
                           ERROR_ACCESS_DENIED,
                           ERROR_INVALID_HANDLE,
                           ERROR_NOT_ENOUGH_MEMORY,
                           ERROR_BAD_FORMAT,
                           ERROR_OUTOFMEMORY,
                           ERROR_INVALID_PARAMETER,
                           ERROR_INSUFFICIENT_BUFFER,
                           ERROR_MOD_NOT_FOUND,
                           ERROR_PROC_NOT_FOUND,
                           ERROR_MORE_DATA,
                           ERROR_NO_MORE_ITEMS,
                           ERROR_MR_MID_NOT_FOUND,
                           ERROR_INVALID_FLAGS,
                           ERROR_RESOURCE_DATA_NOT_FOUND,
                           ERROR_RESOURCE_TYPE_NOT_FOUND,
                           ERROR_RESOURCE_NAME_NOT_FOUND,
                           ERROR_RESOURCE_LANG_NOT_FOUND,
                           ERROR_NO_UNICODE_TRANSLATION};
  for (const HRESULT code : codes) {
    const std::string text =
        SystemText(static_cast<DWORD>(code), kSystemAlloc | FORMAT_MESSAGE_IGNORE_INSERTS);
    ASSERT_GT(text.size(), 3u) << std::hex << code;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << std::hex << code;
    EXPECT_EQ(text.find("\r\n"), text.size() - 2) << std::hex << code;
  }
}

// Codes a component meets when a disk fills, a file is locked or a remote
// server goes away: their texts, and the same through their HRESULTs.
TEST(FormatMessageTest, SystemTextsOfFileDiskAndRemoteFailures) {
  const struct {
    DWORD win32;
    const char* text;
  } kCases[] = {
      {112, "There is not enough space on the disk.\r\n"},
      {32, "The process cannot access the file because it is being used by another process.\r\n"},
      {1722, "The RPC server is unavailable.\r\n"},
      {13, "The data is invalid.\r\n"},
      {1168, "Element not found.\r\n"},
      {183, "Cannot create a file when that file already exists.\r\n"},
  };
  for (const auto& known : kCases) {
    EXPECT_EQ(SystemText(known.win32), known.text) << known.win32;
    EXPECT_EQ(SystemText(static_cast<DWORD>(HRESULT_FROM_WIN32(known.win32))), known.text)
        << std::hex << HRESULT_FROM_WIN32(known.win32);
  }
  EXPECT_EQ(SystemText(0x80070070), "There is not enough space on the disk.\r\n");
  EXPECT_EQ(SystemText(0x800706BA), "The RPC server is unavailable.\r\n");
  EXPECT_EQ(SystemText(0x80080005), "Server execution failed\r\n");
  EXPECT_EQ(SystemText(0x80020009), "Exception occurred.\r\n");
  // A Win32 code with the success bit clear is no HRESULT of its own.
  EXPECT_EQ(SystemText(0x00070070), "");
}

// Every entry of the data file answers with its own text, so no entry is
// shadowed by another and none was lost in compiling the table in.
TEST(FormatMessageTest, EveryEntryOfTheTableIsReachable) {
  std::ifstream table(EBANK_SYSTEM_MESSAGES_TXT);
  ASSERT_TRUE(table.is_open());
  int entries = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t blank = line.find(' ');
    ASSERT_NE(blank, std::string::npos) << line;
    const DWORD code = static_cast<DWORD>(std::stoul(line.substr(0, blank), nullptr, 0));
    EXPECT_EQ(SystemText(code, kSystemAlloc | FORMAT_MESSAGE_IGNORE_INSERTS),
              line.substr(blank + 1) + "\r\n")
        << line;
    ++entries;
  }
  EXPECT_GT(entries, 200);
}

TEST(FormatMessageTest, UnknownCodesAndLanguagesFail) {
  for (const DWORD code : {0x80041234u, 0x8007FFFEu, 15999u, 0xFFFFFFFFu}) {
    SetLastError(0);
    EXPECT_EQ(SystemText(code), "") << std::hex << code;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  }
  EXPECT_EQ(SystemText(static_cast<DWORD>(E_FAIL), kSystemAlloc, MAKELANGID(LANG_ENGLISH, 1)),
            "Unspecified error\r\n");
  SetLastError(0);
  EXPECT_EQ(SystemText(static_cast<DWORD>(E_FAIL), kSystemAlloc, MAKELANGID(LANG_GERMAN, 1)), "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
  EXPECT_EQ(SystemText(static_cast<DWORD>(E_FAIL),
                       FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE),
            "");
}

TEST(FormatMessageTest, CallerBufferMustHoldTextAndTerminator) {
  char buffer[32];
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM;
  const auto hr = static_cast<DWORD>(E_FAIL);
  EXPECT_EQ(FormatMessageA(flags, nullptr, hr, 0, buffer, 20, nullptr), 19u);
  EXPECT_STREQ(buffer, "Unspecified error\r\n");
  SetLastError(0);
  EXPECT_EQ(FormatMessageA(flags, nullptr, hr, 0, buffer, 19, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(FormatMessageA(flags, nullptr, hr, 0, nullptr, 32, nullptr), 0u);
}

TEST(FormatMessageTest, InsertsAndEscapesFromAString) {
  EXPECT_EQ(FromString(0, "%1 has %2!d! items%n", "box", 3), "box has 3 items\r\n");
  EXPECT_EQ(FromString(0, "%2-%1", "a", "b"), "b-a");
  EXPECT_EQ(FromString(0, "[%1!5s!|%2!04x!|%3!ws!]", "ab", 0xBEu, L"w"), "[   ab|00be|w]");
  EXPECT_EQ(FromString(0, "100%% done%t%r%.%!x"), "100% done\t\r.!x");
  EXPECT_EQ(FromString(0, "stop%0 here"), "stop");
  char* block = reinterpret_cast<char*>(1);
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, "%0", 0, 0,
                           reinterpret_cast<LPSTR>(&block), 0, nullptr),
            0u);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(FromString(0, "%1", static_cast<const char*>(nullptr)), "(null)");
  // An insert format that is not one conversion is plain text after a string insert.
  EXPECT_EQ(FromString(0, "%1!s%s!|%2!*d!", "a", "b"), "a!ss!|b!*d!");
  EXPECT_EQ(FromString(FORMAT_MESSAGE_IGNORE_INSERTS, "keep %1 and %2!d!"), "keep %1 and %2!d!");
  // Regular line breaks become blanks when the width mask is full.
  EXPECT_EQ(FromString(FORMAT_MESSAGE_MAX_WIDTH_MASK, "one\r\ntwo\n"), "one two ");
}

TEST(FormatMessageTest, ArgumentArrayAndMissingArguments) {
  const char* first = "first";
  const std::uintptr_t values[] = {reinterpret_cast<std::uintptr_t>(first), 42};
  char buffer[64];
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, "%1=%2!u!",
                           0, 0, buffer, sizeof buffer,
                           reinterpret_cast<va_list*>(const_cast<std::uintptr_t*>(values))),
            8u);
  EXPECT_STREQ(buffer, "first=42");

  SetLastError(0);
  EXPECT_EQ(
      FormatMessageA(FORMAT_MESSAGE_FROM_STRING, "needs %1", 0, 0, buffer, sizeof buffer, nullptr),
      0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(
      FormatMessageA(FORMAT_MESSAGE_FROM_STRING, nullptr, 0, 0, buffer, sizeof buffer, nullptr),
      0u);
}

}  // namespace
