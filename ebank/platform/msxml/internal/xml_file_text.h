// The characters of an XML file as libxml2 will read them, for checks that
// look at the markup before the parser does.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XML_FILE_TEXT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XML_FILE_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

namespace ebank::platform::msxml {

// The bytes of a file decoded to UTF-8 the way libxml2 picks their encoding
// (byte order mark or first bytes, then the declaration); nothing when the
// parser reads them as UTF-8 already or knows no decoder for them (it then
// fails on them). A decoding error ends the text where libxml2 stops too.
std::optional<std::string> DecodeXmlFile(std::string_view bytes);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XML_FILE_TEXT_H_
