#include "ebank/platform/msxml/internal/dom_node.h"

#include "ebank/platform/msxml/internal/node_names.h"
#include "ebank/platform/msxml/internal/text_conversion.h"
#include "ebank/platform/msxml/internal/tree_edit.h"
#include "ebank/platform/oleaut/variant.h"

namespace ebank::platform::msxml {
namespace {

// The text of `value`: a string as it is, anything else converted to one.
HRESULT ValueText(const VARIANT& value, std::string* text) {
  if (value.vt == VT_BSTR) {
    *text = BstrToUtf8(value.bstrVal);
    return S_OK;
  }
  VARIANT converted;
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, &value, 0, VT_BSTR);
  if (FAILED(hr)) return hr;
  *text = BstrToUtf8(converted.bstrVal);
  VariantClear(&converted);
  return S_OK;
}

}  // namespace

IXMLDOMNode* DomNode::Create(xmlNodePtr node) {
  return (new DomNode(node))->AsInterface();
}

DomNode::DomNode(xmlNodePtr node) : NodeBase(node, RefPtr<DocumentOwner>(DocumentOwner::Of(node))) {
  node->_private = static_cast<NodeCore*>(this);
}

DomNode::~DomNode() {
  node()->_private = nullptr;
  FreeDetachedIfUnused(node());
}

bool DomNode::Supports(REFIID iid) const {
  return IsEqualIID(iid, IID_IXMLDOMNode) ||
         (IsEqualIID(iid, IID_IXMLDOMElement) && node()->type == XML_ELEMENT_NODE);
}

STDMETHODIMP DomNode::getAttribute(BSTR name, VARIANT* value) {
  return Run([&]() -> HRESULT {
    if (value == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    VariantInit(value);
    xmlAttrPtr attr = FindAttribute(node(), BstrToUtf8(name));
    if (attr == nullptr) {
      value->vt = VT_NULL;
      return S_FALSE;
    }
    xmlChar* text = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr));
    const std::string utf8 = text != nullptr ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    HRESULT hr = Utf8ToNewBstr(utf8, &value->bstrVal);
    if (FAILED(hr)) return Fail(hr, "Not enough memory for the attribute value.");
    value->vt = VT_BSTR;
    return S_OK;
  });
}

STDMETHODIMP DomNode::setAttribute(BSTR name, VARIANT value) {
  return Run([&]() -> HRESULT {
    if (node()->type != XML_ELEMENT_NODE) return Fail(E_FAIL, "The node is not an element.");
    const std::string attribute_name = BstrToUtf8(name);
    if (!IsValidName(attribute_name)) {
      return Fail(E_FAIL, "'" + attribute_name + "' is not a valid attribute name.");
    }
    std::string text;
    HRESULT hr = ValueText(value, &text);
    if (FAILED(hr)) return Fail(hr, "The attribute value cannot be converted to text.");
    if (xmlAttrPtr attr = FindAttribute(node(), attribute_name)) {
      hr = SetNodeText(reinterpret_cast<xmlNodePtr>(attr), text.c_str());
      return SUCCEEDED(hr) ? S_OK : Fail(hr, "The attribute value cannot be set.");
    }
    xmlAttrPtr created =
        xmlNewProp(node(), reinterpret_cast<const xmlChar*>(attribute_name.c_str()),
                   reinterpret_cast<const xmlChar*>(text.c_str()));
    return created != nullptr ? S_OK : Fail(E_OUTOFMEMORY, "The attribute cannot be created.");
  });
}

}  // namespace ebank::platform::msxml
