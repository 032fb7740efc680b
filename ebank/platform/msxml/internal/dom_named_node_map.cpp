#include "ebank/platform/msxml/internal/dom_named_node_map.h"

#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_names.h"
#include "ebank/platform/msxml/internal/node_wrapping.h"
#include "ebank/platform/msxml/internal/text_conversion.h"

namespace ebank::platform::msxml {
namespace {

xmlNodePtr ElementOf(IXMLDOMNode* element) {
  return NodeCore::FromInterface(element)->node();
}

}  // namespace

IXMLDOMNamedNodeMap* DomNamedNodeMap::Create(RefPtr<IXMLDOMNode> element) {
  return new DomNamedNodeMap(std::move(element));
}

STDMETHODIMP DomNamedNodeMap::getNamedItem(BSTR name, IXMLDOMNode** attribute) {
  return Guarded([&] {
    xmlAttrPtr found = FindAttribute(ElementOf(element_.get()), BstrToUtf8(name));
    return ReturnNode(reinterpret_cast<xmlNodePtr>(found), attribute);
  });
}

STDMETHODIMP DomNamedNodeMap::get_item(LONG index, IXMLDOMNode** attribute) {
  return Guarded([&] {
    xmlAttrPtr attr = ElementOf(element_.get())->properties;
    for (LONG i = 0; attr != nullptr && i < index; ++i) attr = attr->next;
    return ReturnNode(index >= 0 ? reinterpret_cast<xmlNodePtr>(attr) : nullptr, attribute);
  });
}

STDMETHODIMP DomNamedNodeMap::get_length(LONG* length) {
  if (length == nullptr) return Fail(E_POINTER, "A result pointer is null.");
  *length = 0;
  for (xmlAttrPtr attr = ElementOf(element_.get())->properties; attr != nullptr;
       attr = attr->next) {
    ++*length;
  }
  return S_OK;
}

}  // namespace ebank::platform::msxml
