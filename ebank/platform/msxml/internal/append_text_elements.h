// AppendTextElements: appends several new elements with text to a DOM element
// in one call, as createElement, text and appendChild would one by one, but
// without making an object per element. Record writers that add a dozen
// fields to one element use it.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_APPEND_TEXT_ELEMENTS_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_APPEND_TEXT_ELEMENTS_H_

#include <cstddef>

#include "ebank/platform/export.h"
#include "ebank/platform/msxml/xml_dom_node.h"

namespace ebank::platform::msxml {

// Appends, for each i below `count`, an element named names[i] (in no
// namespace) whose text is texts[i] up to its first NUL (no text node when
// null or empty) as the last child of `parent`, an element. E_POINTER for a
// null argument, E_INVALIDARG for a parent that is no element of this DOM,
// E_FAIL for an invalid name and E_OUTOFMEMORY, each with an error object;
// the elements before the failing one stay appended.
EBANK_EXPORT HRESULT AppendTextElements(IXMLDOMNode* parent, const wchar_t* const* names,
                                        const wchar_t* const* texts, std::size_t count);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_APPEND_TEXT_ELEMENTS_H_
