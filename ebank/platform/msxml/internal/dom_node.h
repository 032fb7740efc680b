// DomNode: the COM object of an element, attribute, text or other non-document
// node. It keeps the node's document alive, follows the node when it moves to
// another document, and frees an unlinked subtree when it was the last object
// in it.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_DOM_NODE_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_DOM_NODE_H_

#include "ebank/platform/msxml/internal/node_base.h"
#include "ebank/platform/msxml/xml_dom_element.h"

namespace ebank::platform::msxml {

class DomNode final : public NodeBase<IXMLDOMElement> {
 public:
  // A new object (one reference) for `node`, recorded in node->_private.
  // Throws std::bad_alloc.
  static IXMLDOMNode* Create(xmlNodePtr node);

  STDMETHODIMP getAttribute(BSTR name, VARIANT* value) override;
  STDMETHODIMP setAttribute(BSTR name, VARIANT value) override;

 private:
  explicit DomNode(xmlNodePtr node);
  ~DomNode() override;
  bool Supports(REFIID iid) const override;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_DOM_NODE_H_
