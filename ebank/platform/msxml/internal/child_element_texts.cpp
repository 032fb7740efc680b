#include "ebank/platform/msxml/internal/child_element_texts.h"

#include <libxml/tree.h>

#include <string>
#include <string_view>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_operations.h"
#include "ebank/platform/msxml/internal/text_conversion.h"

namespace ebank::platform::msxml {
namespace {

// Whether the element name `name` (UTF-8) is `wanted`. ASCII, which every
// record's field names are, is compared in place without a conversion.
bool IsNamed(std::string_view name, const wchar_t* wanted) {
  std::size_t i = 0;
  for (; wanted[i] != L'\0' && wanted[i] < 0x80; ++i) {
    if (i == name.size() || name[i] != static_cast<char>(wanted[i])) return false;
  }
  return wanted[i] == L'\0' ? i == name.size() : WideToUtf8(wanted) == name;
}

}  // namespace

HRESULT ChildElementTexts(IXMLDOMNode* parent, const wchar_t* const* names, std::size_t count,
                          BSTR* texts) {
  if (parent == nullptr || names == nullptr || texts == nullptr) return E_POINTER;
  const NodeCore* core = NodeCore::FromInterface(parent);
  if (core == nullptr) return E_INVALIDARG;
  for (xmlNodePtr child = core->node()->children; child != nullptr; child = child->next) {
    if (child->type != XML_ELEMENT_NODE || child->ns != nullptr) continue;
    const std::string_view name(reinterpret_cast<const char*>(child->name));
    for (std::size_t i = 0; i < count; ++i) {
      if (texts[i] != nullptr || !IsNamed(name, names[i] != nullptr ? names[i] : L"")) continue;
      if (const HRESULT hr = node_operations::GetText(child, &texts[i]); FAILED(hr)) return hr;
    }
  }
  return S_OK;
}

}  // namespace ebank::platform::msxml
