// DomNamedNodeMap: the attributes of one element, read live from the element
// (which it keeps alive).
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_DOM_NAMED_NODE_MAP_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_DOM_NAMED_NODE_MAP_H_

#include "ebank/platform/msxml/internal/dispatch_object.h"
#include "ebank/platform/msxml/internal/ref_ptr.h"
#include "ebank/platform/msxml/xml_dom_named_node_map.h"

namespace ebank::platform::msxml {

class DomNamedNodeMap final : public DispatchObject<IXMLDOMNamedNodeMap> {
 public:
  // A new map (one reference) over the attributes of `element`.
  static IXMLDOMNamedNodeMap* Create(RefPtr<IXMLDOMNode> element);

  STDMETHODIMP getNamedItem(BSTR name, IXMLDOMNode** attribute) override;
  STDMETHODIMP get_item(LONG index, IXMLDOMNode** attribute) override;
  STDMETHODIMP get_length(LONG* length) override;

 private:
  explicit DomNamedNodeMap(RefPtr<IXMLDOMNode> element) : element_(std::move(element)) {}
  bool Supports(REFIID iid) const override { return IsEqualIID(iid, IID_IXMLDOMNamedNodeMap); }

  RefPtr<IXMLDOMNode> element_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_DOM_NAMED_NODE_MAP_H_
