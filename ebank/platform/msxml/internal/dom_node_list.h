// DomNodeList: a fixed list of node objects (a selection or the children of a
// node at the time of the call) with its own iterator. It holds a reference to
// every node, so the nodes stay valid while the list lives.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_DOM_NODE_LIST_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_DOM_NODE_LIST_H_

#include <libxml/tree.h>

#include <vector>

#include "ebank/platform/msxml/internal/dispatch_object.h"
#include "ebank/platform/msxml/internal/ref_ptr.h"
#include "ebank/platform/msxml/xml_dom_node_list.h"

namespace ebank::platform::msxml {

class DomNodeList final : public DispatchObject<IXMLDOMNodeList> {
 public:
  // A new list (one reference) of the objects of `nodes`. Throws std::bad_alloc.
  static IXMLDOMNodeList* Create(const std::vector<xmlNodePtr>& nodes);

  STDMETHODIMP get_item(LONG index, IXMLDOMNode** node) override;
  STDMETHODIMP get_length(LONG* length) override;
  STDMETHODIMP nextNode(IXMLDOMNode** node) override;
  STDMETHODIMP reset() override;

 private:
  DomNodeList() = default;
  bool Supports(REFIID iid) const override { return IsEqualIID(iid, IID_IXMLDOMNodeList); }

  std::vector<RefPtr<IXMLDOMNode>> nodes_;
  size_t position_ = 0;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_DOM_NODE_LIST_H_
