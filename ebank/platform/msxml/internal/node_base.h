// NodeBase: the IXMLDOMNode methods of a COM object that presents a libxml2
// node, for the node objects and the document objects alike.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_NODE_BASE_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_NODE_BASE_H_

#include "ebank/platform/msxml/internal/dispatch_object.h"
#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_operations.h"

namespace ebank::platform::msxml {

template <typename Interface>
class NodeBase : public DispatchObject<Interface>, public NodeCore {
 public:
  // Also answers IID_NodeCore with the NodeCore part, so that the layer
  // recognises its own node objects without RTTI.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr || !IsEqualIID(iid, IID_NodeCore)) {
      return DispatchObject<Interface>::QueryInterface(iid, object);
    }
    *object = static_cast<NodeCore*>(this);
    this->AddRef();
    return S_OK;
  }
  STDMETHODIMP get_nodeName(BSTR* name) override {
    return Run([&] { return node_operations::GetNodeName(node(), name); });
  }
  STDMETHODIMP get_nodeType(DOMNodeType* type) override {
    return Run([&] { return node_operations::GetNodeType(node(), type); });
  }
  STDMETHODIMP get_parentNode(IXMLDOMNode** parent) override {
    return Run([&] { return node_operations::GetParentNode(node(), parent); });
  }
  STDMETHODIMP get_childNodes(IXMLDOMNodeList** children) override {
    return Run([&] { return node_operations::GetChildNodes(node(), children); });
  }
  STDMETHODIMP get_firstChild(IXMLDOMNode** child) override {
    return Run([&] { return node_operations::GetFirstChild(node(), child); });
  }
  STDMETHODIMP get_attributes(IXMLDOMNamedNodeMap** attributes) override {
    return Run([&] { return node_operations::GetAttributes(node(), attributes); });
  }
  STDMETHODIMP get_ownerDocument(IXMLDOMDocument** document) override {
    return Run([&] { return node_operations::GetOwnerDocument(node(), document); });
  }
  STDMETHODIMP get_text(BSTR* text) override {
    return Run([&] { return node_operations::GetText(node(), text); });
  }
  STDMETHODIMP put_text(BSTR text) override {
    return Run([&] { return node_operations::PutText(node(), text); });
  }
  STDMETHODIMP get_xml(BSTR* xml) override {
    return Run([&] { return node_operations::GetXml(node(), xml); });
  }
  STDMETHODIMP selectSingleNode(BSTR xpath, IXMLDOMNode** result) override {
    return Run([&] { return node_operations::SelectSingleNode(node(), xpath, result); });
  }
  STDMETHODIMP selectNodes(BSTR xpath, IXMLDOMNodeList** result) override {
    return Run([&] { return node_operations::SelectNodes(node(), xpath, result); });
  }
  STDMETHODIMP cloneNode(VARIANT_BOOL deep, IXMLDOMNode** clone) override {
    return Run([&] { return node_operations::CloneNode(node(), deep, clone); });
  }
  STDMETHODIMP appendChild(IXMLDOMNode* child, IXMLDOMNode** appended) override {
    return Run([&] { return node_operations::AppendChild(node(), child, appended); });
  }
  STDMETHODIMP removeChild(IXMLDOMNode* child, IXMLDOMNode** removed) override {
    return Run([&] { return node_operations::RemoveChild(node(), child, removed); });
  }
  STDMETHODIMP transformNode(IXMLDOMNode* stylesheet, BSTR* output) override {
    return Run([&] { return node_operations::TransformNode(node(), stylesheet, output); });
  }

 protected:
  using NodeCore::NodeCore;

  template <typename Body>
  static HRESULT Run(Body body) {
    return Guarded(body);
  }
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_NODE_BASE_H_
