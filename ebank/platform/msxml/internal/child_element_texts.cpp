#include "ebank/platform/msxml/internal/child_element_texts.h"

#include <libxml/tree.h>

#include <string>
#include <string_view>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_names.h"
#include "ebank/platform/msxml/internal/node_operations.h"

namespace ebank::platform::msxml {

HRESULT ChildElementTexts(IXMLDOMNode* parent, const wchar_t* const* names, std::size_t count,
                          BSTR* texts) {
  if (parent == nullptr || names == nullptr || texts == nullptr) return E_POINTER;
  const NodeCore* core = NodeCore::FromInterface(parent);
  if (core == nullptr) return E_INVALIDARG;
  for (xmlNodePtr child = core->node()->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE || child->ns != nullptr) continue;
    const std::string_view name(reinterpret_cast<const char*>(child->name));
    for (std::size_t i = 0; i < count; ++i) {
      if (texts[i] != nullptr || !NameEquals(name, names[i] != nullptr ? names[i] : L"")) continue;
      if (const HRESULT hr = node_operations::GetText(child, &texts[i]); FAILED(hr)) return hr;
    }
  }
  return S_OK;
}

}  // namespace ebank::platform::msxml
