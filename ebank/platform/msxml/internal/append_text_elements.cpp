#include "ebank/platform/msxml/internal/append_text_elements.h"

#include <libxml/tree.h>

#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_names.h"
#include "ebank/platform/msxml/internal/text_conversion.h"

namespace ebank::platform::msxml {

HRESULT AppendTextElements(IXMLDOMNode* parent, const wchar_t* const* names,
                           const wchar_t* const* texts, std::size_t count) {
  if (parent == nullptr || names == nullptr || texts == nullptr) {
    return Fail(E_POINTER, "A required argument is null.");
  }
  const NodeCore* core = NodeCore::FromInterface(parent);
  if (core == nullptr || core->node()->type != XML_ELEMENT_NODE) {
    return Fail(E_INVALIDARG, "Elements can be appended to an element of this document only.");
  }
  return Guarded([&]() -> HRESULT {
    for (std::size_t i = 0; i < count; ++i) {
      const std::string name = WideToUtf8(names[i] != nullptr ? names[i] : L"");
      if (!IsValidName(name)) return Fail(E_FAIL, "'" + name + "' is not a valid element name.");
      const bool has_text = texts[i] != nullptr && texts[i][0] != L'\0';
      const std::string text = has_text ? WideToUtf8(texts[i]) : std::string();
      // The raw variant takes the text as it is, without reading entity
      // references in it; the element gets no namespace, whatever the parent's.
      xmlNodePtr element = xmlNewDocRawNode(
          core->node()->doc, nullptr, reinterpret_cast<const xmlChar*>(name.c_str()),
          has_text ? reinterpret_cast<const xmlChar*>(text.c_str()) : nullptr);
      if (element == nullptr) return Fail(E_OUTOFMEMORY, "The element cannot be created.");
      xmlAddChild(core->node(), element);
    }
    return S_OK;
  });
}

}  // namespace ebank::platform::msxml
