#include "ebank/platform/msxml/internal/xml_parser.h"

#include <libxml/parser.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <span>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/attribute_entity_markup.h"
#include "ebank/platform/msxml/internal/entity_fan_out.h"
#include "ebank/platform/msxml/internal/libxml_errors.h"
#include "ebank/platform/msxml/internal/markup_scan.h"
#include "ebank/platform/msxml/internal/parse_limits.h"
#include "ebank/platform/msxml/internal/parser_hooks.h"
#include "ebank/platform/msxml/internal/text_conversion.h"
#include "ebank/platform/msxml/internal/white_space.h"
#include "ebank/platform/msxml/internal/xml_file_text.h"

namespace ebank::platform::msxml {
namespace {

// Every parse is non-validating, offline and bounded: no XML_PARSE_HUGE,
// XML_PARSE_NOENT or XML_PARSE_DTDLOAD. Blank text is kept by the parser and
// dropped afterwards by the document's own rule (DropWhiteSpaceNodes).
constexpr int kParseOptions = XML_PARSE_NONET;

// The error number of our own limits: the one later libxml2 releases give
// their resource limits (XML_ERR_RESOURCE_LIMIT).
constexpr int kResourceLimit = 114;

// Parse error codes: facility XML (0xC00C) with libxml2's error number; so a
// failure is always negative and never 0 even for an unnumbered error.
constexpr HRESULT ParseErrorCode(int libxml_code) {
  return MakeHResult(0xC00CE000u | static_cast<std::uint32_t>(std::clamp(libxml_code, 1, 0xFFF)));
}

struct ContextFree {
  void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};
struct DocFree {
  void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

bool StartsWithDeclaration(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text.size() > 5 && text.substr(0, 5) == "<?xml" &&
         std::strchr(" \t\r\n", text[5]) != nullptr;
}

// The start of line `line` (1-based) of `text`; its end when there is none.
size_t LineStart(std::string_view text, int line) {
  size_t start = 0;
  for (int current = 1; current < line; ++current) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return text.size();
    start = end + 1;
  }
  return start;
}

// The input line `line`, limited to a readable length, as valid UTF-8
// whatever the input.
std::string LineOf(std::string_view text, int line) {
  const size_t start = LineStart(text, line);
  size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  std::string_view result = text.substr(start, std::min<size_t>(end - start, 1024));
  if (!result.empty() && result.back() == '\r') result.remove_suffix(1);
  return WideToUtf8(Utf8ToWide(result));
}

// A failure at `line` and `column` of `text`. The reason ends its line, as the
// reasons of the DOM always do.
ParseFailure FailureAt(int libxml_code, const char* url, const std::string& reason,
                       std::string_view text, int line, int column) {
  ParseFailure failure;
  failure.code = ParseErrorCode(libxml_code);
  failure.url = url != nullptr ? url : "";
  failure.reason = reason + "\r\n";
  failure.line = line;
  failure.column = column;
  failure.source_line = LineOf(text, line);
  const size_t offset = LineStart(text, line) + static_cast<size_t>(std::max(column - 1, 0));
  failure.offset = static_cast<LONG>(std::min<size_t>(offset, INT32_MAX));
  return failure;
}

// The failure of a start tag over the attribute bound at byte `offset`.
ParseFailure CrowdedTag(const char* url, std::string_view text, size_t offset) {
  const std::string_view before = text.substr(0, offset);
  const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  const size_t line_start = LineStart(text, line);
  const std::wstring in_line = Utf8ToWide(text.substr(line_start, offset - line_start));
  return FailureAt(kResourceLimit, url,
                   "A start tag has more than " + std::to_string(kMaxAttributes) + " attributes.",
                   text, line, static_cast<int>(in_line.size()) + 1);
}

// The line of the element that holds `reference` (in content or in an
// attribute value).
int LineOfReference(xmlNodePtr reference) {
  xmlNodePtr element = reference->parent;
  while (element != nullptr && element->type != XML_ELEMENT_NODE) element = element->parent;
  return element != nullptr ? static_cast<int>(xmlGetLineNo(element)) : 0;
}

ParseOutcome Refused(ParseFailure failure) {
  ParseOutcome outcome;
  outcome.failure = std::move(failure);
  return outcome;
}

// Checks the parsed tree against the entity bound and for markup that entities
// bring into attribute values, and applies the document's white-space rule to the text nodes that
// may hold nothing but white space.
ParseOutcome Accept(Doc doc, std::string_view bytes, const char* url, bool preserve_white_space,
                    std::span<const xmlNodePtr> blank_texts) {
  const size_t limit = EntityTextLimit(bytes.size());
  if (xmlNodePtr reference = FindEntityOverflow(doc.get(), limit)) {
    return Refused(FailureAt(kResourceLimit, url,
                             "The entity references of the document stand for more than " +
                                 std::to_string(limit) + " bytes of text.",
                             bytes, LineOfReference(reference), 0));
  }
  if (const AttributeEntityMarkup markup = FindAttributeEntityMarkup(doc.get());
      markup.reference != nullptr) {
    const std::string name(reinterpret_cast<const char*>(markup.holder->name));
    return Refused(FailureAt(XML_ERR_LT_IN_ATTRIBUTE, url,
                             "'<' in entity '" + name + "' is not allowed in attributes values",
                             bytes, LineOfReference(markup.reference), 0));
  }
  if (!preserve_white_space) DropWhiteSpaceNodes(blank_texts);
  ParseOutcome outcome;
  outcome.doc = doc.release();
  outcome.has_declaration = StartsWithDeclaration(bytes);
  return outcome;
}

ParseOutcome Parse(std::string_view bytes, const char* url, const char* encoding, int options,
                   bool preserve_white_space) {
  if (bytes.size() > INT_MAX) {
    return Refused(FailureAt(XML_ERR_NO_MEMORY, url, "The input is too large.", {}, 0, 0));
  }
  // Start tags over the attribute bound are refused before libxml2 reads them.
  const std::optional<std::string> decoded =
      encoding == nullptr ? DecodeXmlFile(bytes) : std::nullopt;
  const std::string_view markup = decoded ? std::string_view(*decoded) : bytes;
  if (const std::optional<size_t> tag = FindCrowdedTag(markup, kMaxAttributes)) {
    return Refused(CrowdedTag(url, markup, *tag));
  }
  ErrorCapture capture;
  std::unique_ptr<xmlParserCtxt, ContextFree> context(xmlNewParserCtxt());
  if (!context) throw std::bad_alloc();
  ParserHooks hooks(context.get());
  Doc doc(xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), url,
                            encoding, kParseOptions | options));
  if (hooks.stopped()) {
    return Refused(
        FailureAt(kResourceLimit, url, hooks.reason(), markup, hooks.line(), hooks.column()));
  }
  const CapturedError& error = capture.error();
  if (doc && !error.present) {
    return Accept(std::move(doc), bytes, url, preserve_white_space, hooks.blank_texts());
  }
  // Recovered documents are not accepted.
  return Refused(FailureAt(error.present ? error.code : XML_ERR_DOCUMENT_EMPTY, url,
                           error.present ? error.message : "The document is empty.", markup,
                           error.line, error.column));
}

}  // namespace

ParseOutcome ParseText(std::string_view utf8, bool preserve_white_space) {
  return Parse(utf8, nullptr, "UTF-8", XML_PARSE_IGNORE_ENC, preserve_white_space);
}

ParseOutcome ParseFileBytes(std::string_view bytes, const std::string& url,
                            bool preserve_white_space) {
  return Parse(bytes, url.c_str(), nullptr, 0, preserve_white_space);
}

ParseOutcome FileNotRead(const std::string& url, int error_number) {
  const DWORD code = error_number == ENOENT   ? ERROR_FILE_NOT_FOUND
                     : error_number == EACCES ? ERROR_ACCESS_DENIED
                                              : ERROR_PATH_NOT_FOUND;
  ParseOutcome outcome = Refused(
      FailureAt(0, url.c_str(),
                "The file cannot be read: " + std::string(std::strerror(error_number)), {}, 0, 0));
  outcome.failure.code = HRESULT_FROM_WIN32(code);
  return outcome;
}

}  // namespace ebank::platform::msxml
