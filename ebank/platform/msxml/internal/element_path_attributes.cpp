#include "ebank/platform/msxml/internal/element_path_attributes.h"

#include <libxml/tree.h>

#include <string>
#include <string_view>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_names.h"
#include "ebank/platform/msxml/internal/text_conversion.h"

namespace ebank::platform::msxml {
namespace {

// The first element in document order along `steps` below `node`: a
// depth-first walk, so that the children of an earlier match come before a
// later sibling, as in XPath's document order.
xmlNodePtr FirstAlong(xmlNodePtr node, const wchar_t* const* steps, std::size_t depth) {
  for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE || child->ns != nullptr ||
        !NameEquals(reinterpret_cast<const char*>(child->name),
                    steps[0] != nullptr ? steps[0] : L"")) {
      continue;
    }
    if (depth == 1) return child;
    if (xmlNodePtr found = FirstAlong(child, steps + 1, depth - 1)) return found;
  }
  return nullptr;
}

HRESULT AttributeValue(xmlNodePtr element, const wchar_t* name, BSTR* value) {
  const xmlAttrPtr attribute = FindAttribute(element, WideToUtf8(name != nullptr ? name : L""));
  if (attribute == nullptr) return S_OK;
  xmlChar* text = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attribute));
  const HRESULT hr =
      Utf8ToNewBstr(text != nullptr ? reinterpret_cast<const char*>(text) : "", value);
  xmlFree(text);
  return hr;
}

}  // namespace

HRESULT ElementPathAttributes(IXMLDOMNode* parent, const wchar_t* const* steps, std::size_t depth,
                              const wchar_t* const* names, std::size_t count, BSTR* values) {
  if (parent == nullptr || steps == nullptr || names == nullptr || values == nullptr) {
    return E_POINTER;
  }
  const NodeCore* core = NodeCore::FromInterface(parent);
  if (core == nullptr) return E_INVALIDARG;
  const xmlNodePtr element = depth == 0 ? nullptr : FirstAlong(core->node(), steps, depth);
  for (std::size_t i = 0; element != nullptr && i < count; ++i) {
    if (const HRESULT hr = AttributeValue(element, names[i], &values[i]); FAILED(hr)) return hr;
  }
  return S_OK;
}

}  // namespace ebank::platform::msxml
