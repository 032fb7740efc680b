// The XML parser of the document objects: libxml2 with the safe settings
// (no network, no external entities or DTDs, libxml2's limits on nesting and
// entity expansion kept), the bounds of parse_limits.h, and a description of
// the first error.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XML_PARSER_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XML_PARSER_H_

#include <libxml/tree.h>

#include <string>
#include <string_view>

#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

namespace ebank::platform::msxml {

struct ParseFailure {
  HRESULT code = S_OK;  // negative after a failure
  std::string url;
  std::string reason;       // ends with CR LF
  std::string source_line;  // the input line on which the error was found
  LONG line = 0;
  LONG column = 0;
  LONG offset = 0;  // characters from the start of the input
};

struct ParseOutcome {
  xmlDocPtr doc = nullptr;  // null after a failure; owned by the caller
  bool has_declaration = false;
  ParseFailure failure;
};

// Parses text converted from wide characters: always UTF-8, whatever the
// declaration says. Unless `preserve_white_space`, text nodes of nothing but
// white space are dropped outside xml:space="preserve" scopes.
ParseOutcome ParseText(std::string_view utf8, bool preserve_white_space);
// Parses the bytes of a file: the encoding comes from a byte order mark or the
// declaration, UTF-8 by default.
ParseOutcome ParseFileBytes(std::string_view bytes, const std::string& url,
                            bool preserve_white_space);
// The failure reported when a file cannot be read.
ParseOutcome FileNotRead(const std::string& url, int error_number);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XML_PARSER_H_
