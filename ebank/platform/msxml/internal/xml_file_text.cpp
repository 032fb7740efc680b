#include "ebank/platform/msxml/internal/xml_file_text.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <new>

#include "ebank/platform/msxml/internal/libxml_errors.h"

namespace ebank::platform::msxml {
namespace {

struct BufferFree {
  void operator()(xmlBufferPtr buffer) const { xmlBufferFree(buffer); }
};
using Buffer = std::unique_ptr<xmlBuffer, BufferFree>;

struct HandlerClose {
  void operator()(xmlCharEncodingHandlerPtr handler) const { xmlCharEncCloseFunc(handler); }
};
using Handler = std::unique_ptr<xmlCharEncodingHandler, HandlerClose>;

bool IsUtf8Name(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return name == "UTF-8" || name == "UTF8";
}

// The encoding named by an XML declaration at the start of `bytes` (read as
// ASCII), or the empty text.
std::string DeclaredEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (bytes.substr(0, 5) != "<?xml") return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  std::size_t pos = declaration.find("encoding");
  if (pos == std::string_view::npos) return {};
  pos = declaration.find_first_of("\"'", pos);
  if (pos == std::string_view::npos) return {};
  const std::size_t end = declaration.find(declaration[pos], pos + 1);
  if (end == std::string_view::npos) return {};
  return std::string(declaration.substr(pos + 1, end - pos - 1));
}

// The decoder libxml2 will use, or null when it reads the bytes as UTF-8.
xmlCharEncodingHandlerPtr DecoderFor(std::string_view bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const xmlCharEncoding detected =
      bytes.size() >= 4 ? xmlDetectCharEncoding(data, 4) : XML_CHAR_ENCODING_NONE;
  if (detected != XML_CHAR_ENCODING_NONE && detected != XML_CHAR_ENCODING_UTF8) {
    return xmlGetCharEncodingHandler(detected);
  }
  const std::string name = DeclaredEncoding(bytes);
  if (name.empty() || IsUtf8Name(name)) return nullptr;
  return xmlFindCharEncodingHandler(name.c_str());
}

}  // namespace

std::optional<std::string> DecodeXmlFile(std::string_view bytes) {
  ErrorCapture capture;  // the parser reports what is wrong with the bytes
  Handler decoder(DecoderFor(bytes));
  if (!decoder) return std::nullopt;
  Buffer in(xmlBufferCreateSize(bytes.size() + 1));
  Buffer out(xmlBufferCreateSize(2 * bytes.size() + 1));
  if (!in || !out ||
      xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar*>(bytes.data()),
                   static_cast<int>(bytes.size())) != 0) {
    throw std::bad_alloc();
  }
  // Each call converts what fits into the output; stop at an error or when
  // nothing moves.
  while (xmlBufferLength(in.get()) > 0) {
    const int before = xmlBufferLength(in.get());
    if (xmlCharEncInFunc(decoder.get(), out.get(), in.get()) < 0 ||
        xmlBufferLength(in.get()) == before) {
      break;
    }
  }
  return std::string(reinterpret_cast<const char*>(xmlBufferContent(out.get())),
                     static_cast<std::size_t>(xmlBufferLength(out.get())));
}

}  // namespace ebank::platform::msxml
