// ElementPathAttributes: the attribute values of the element that a short
// path of child names leads to, read without an XPath evaluation or a node
// object per step. Record readers use it for the attributes of a nested
// element, such as the parts of a date.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_ELEMENT_PATH_ATTRIBUTES_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_ELEMENT_PATH_ATTRIBUTES_H_

#include <cstddef>

#include "ebank/platform/export.h"
#include "ebank/platform/msxml/xml_dom_node.h"

namespace ebank::platform::msxml {

// Finds the first element in document order that the relative XPath
// steps[0]/steps[1]/... (each an element in no namespace with that name)
// selects from `parent`. For each i below `count`, values[i] receives the
// value of its attribute names[i] (qualified name, exact) as a new BSTR the
// caller frees; it is left null for a missing attribute, and all are left
// null when no element matches (or `depth` is 0). values[] must start null. E_POINTER for a
// null argument, E_INVALIDARG for a node of another DOM implementation,
// E_OUTOFMEMORY (values already filled are the caller's to free either way).
EBANK_EXPORT HRESULT ElementPathAttributes(IXMLDOMNode* parent, const wchar_t* const* steps,
                                           std::size_t depth, const wchar_t* const* names,
                                           std::size_t count, BSTR* values);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_ELEMENT_PATH_ATTRIBUTES_H_
