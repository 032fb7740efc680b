// The COM object of a libxml2 node: the existing one, or a new one.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_NODE_WRAPPING_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_NODE_WRAPPING_H_

#include <libxml/tree.h>

#include "ebank/platform/msxml/internal/ref_ptr.h"
#include "ebank/platform/msxml/xml_dom_node.h"

namespace ebank::platform::msxml {

// A referenced object for `node`; null for a null node. Throws std::bad_alloc.
RefPtr<IXMLDOMNode> NodeObject(xmlNodePtr node);

// Hands the object of `node` out through *out: S_OK, or S_FALSE and null for
// a null node; E_POINTER for a null out.
HRESULT ReturnNode(xmlNodePtr node, IXMLDOMNode** out);

// As ReturnNode, asked for another interface of the object.
template <typename Interface>
HRESULT ReturnNodeAs(xmlNodePtr node, REFIID iid, Interface** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (node == nullptr) return S_FALSE;
  RefPtr<IXMLDOMNode> object = NodeObject(node);
  return object->QueryInterface(iid, reinterpret_cast<void**>(out));
}

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_NODE_WRAPPING_H_
