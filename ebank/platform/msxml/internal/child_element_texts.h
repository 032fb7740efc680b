// ChildElementTexts: the texts of several named element children of one DOM
// node, read in a single pass over its children without making an object or
// a name string per child. Record readers that take a dozen fields from one
// element use it in place of a child list walk.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_CHILD_ELEMENT_TEXTS_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_CHILD_ELEMENT_TEXTS_H_

#include <cstddef>

#include "ebank/platform/export.h"
#include "ebank/platform/msxml/xml_dom_node.h"

namespace ebank::platform::msxml {

// For each i below `count`, texts[i] receives the `text` of the first element
// child of `parent` that the XPath step names[i] selects (an element in no
// namespace with that name), as a new BSTR the caller frees; it is left null
// when there is no such child. texts[] must start null. E_POINTER for a null argument,
// E_INVALIDARG for a node of another DOM implementation, E_OUTOFMEMORY (texts
// already filled are the caller's to free either way).
EBANK_EXPORT HRESULT ChildElementTexts(IXMLDOMNode* parent, const wchar_t* const* names,
                                       std::size_t count, BSTR* texts);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_CHILD_ELEMENT_TEXTS_H_
