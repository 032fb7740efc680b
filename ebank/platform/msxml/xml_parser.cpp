#include "ebank/platform/msxml/xml_parser.h"

#include <libxml/parser.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/libxml_errors.h"
#include "ebank/platform/msxml/text_conversion.h"

namespace ebank::platform::msxml {
namespace {

// Every parse is non-validating, offline and bounded: no XML_PARSE_HUGE,
// XML_PARSE_NOENT or XML_PARSE_DTDLOAD. Blank text between elements is
// dropped, as the document classes do by default.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOBLANKS;

// Parse error codes: facility XML (0xC00C) with libxml2's error number; so a
// failure is always negative and never 0 even for an unnumbered error.
constexpr HRESULT ParseErrorCode(int libxml_code) {
  return MakeHResult(0xC00CE000u | static_cast<std::uint32_t>(std::clamp(libxml_code, 1, 0xFFF)));
}

bool StartsWithDeclaration(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text.size() > 5 && text.substr(0, 5) == "<?xml" &&
         std::strchr(" \t\r\n", text[5]) != nullptr;
}

// The input line `line` (1-based), limited to a readable length.
std::string LineOf(std::string_view text, int line) {
  size_t start = 0;
  for (int current = 1; current < line; ++current) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return {};
    start = end + 1;
  }
  size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  std::string result(text.substr(start, std::min<size_t>(end - start, 1024)));
  if (!result.empty() && result.back() == '\r') result.pop_back();
  return result;
}

LONG OffsetOf(std::string_view text, int line, int column) {
  size_t start = 0;
  for (int current = 1; current < line && start < text.size(); ++current) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const size_t offset = start + static_cast<size_t>(std::max(column - 1, 0));
  return static_cast<LONG>(std::min<size_t>(offset, INT32_MAX));
}

ParseOutcome Parse(std::string_view bytes, const char* url, const char* encoding, int options) {
  ParseOutcome outcome;
  if (bytes.size() > INT_MAX) {
    outcome.failure = {
        ParseErrorCode(XML_ERR_NO_MEMORY), url ? url : "", "The input is too large.", "", 0, 0, 0};
    return outcome;
  }
  ErrorCapture capture;
  xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), url, encoding,
                                kParseOptions | options);
  const CapturedError& error = capture.error();
  if (doc != nullptr && !error.present) {
    outcome.doc = doc;
    outcome.has_declaration = StartsWithDeclaration(bytes);
    return outcome;
  }
  if (doc != nullptr) xmlFreeDoc(doc);  // recovered documents are not accepted
  ParseFailure& failure = outcome.failure;
  failure.code = ParseErrorCode(error.present ? error.code : XML_ERR_DOCUMENT_EMPTY);
  failure.url = url != nullptr ? url : "";
  failure.reason = error.present ? error.message : "The document is empty.";
  failure.line = error.line;
  failure.column = error.column;
  const std::string line = LineOf(bytes, error.line);
  // The source line in characters, so that it is valid text whatever the input.
  failure.source_line = WideToUtf8(Utf8ToWide(line));
  failure.offset = OffsetOf(bytes, error.line, error.column);
  return outcome;
}

}  // namespace

ParseOutcome ParseText(std::string_view utf8) {
  return Parse(utf8, nullptr, "UTF-8", XML_PARSE_IGNORE_ENC);
}

ParseOutcome ParseFileBytes(std::string_view bytes, const std::string& url) {
  return Parse(bytes, url.c_str(), nullptr, 0);
}

ParseOutcome FileNotRead(const std::string& url, int error_number) {
  ParseOutcome outcome;
  outcome.failure.code =
      HRESULT_FROM_WIN32(static_cast<DWORD>(error_number == ENOENT   ? ERROR_FILE_NOT_FOUND
                                            : error_number == EACCES ? ERROR_ACCESS_DENIED
                                                                     : ERROR_PATH_NOT_FOUND));
  outcome.failure.url = url;
  outcome.failure.reason = "The file cannot be read: " + std::string(std::strerror(error_number));
  return outcome;
}

}  // namespace ebank::platform::msxml
