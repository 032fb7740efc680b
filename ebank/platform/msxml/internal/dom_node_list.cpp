#include "ebank/platform/msxml/internal/dom_node_list.h"

#include <cstdint>
#include <memory>

#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/node_wrapping.h"

namespace ebank::platform::msxml {
namespace {

HRESULT HandOut(const RefPtr<IXMLDOMNode>* node, IXMLDOMNode** out) {
  if (out == nullptr) return Fail(E_POINTER, "A result pointer is null.");
  *out = node != nullptr ? RefPtr<IXMLDOMNode>(*node).Detach() : nullptr;
  return *out != nullptr ? S_OK : S_FALSE;
}

}  // namespace

IXMLDOMNodeList* DomNodeList::Create(const std::vector<xmlNodePtr>& nodes) {
  std::unique_ptr<DomNodeList, void (*)(DomNodeList*)> list(new DomNodeList,
                                                            [](DomNodeList* l) { l->Release(); });
  list->nodes_.reserve(nodes.size());
  for (xmlNodePtr node : nodes) list->nodes_.push_back(NodeObject(node));
  return list.release();
}

STDMETHODIMP DomNodeList::get_item(LONG index, IXMLDOMNode** node) {
  const bool inside = index >= 0 && static_cast<size_t>(index) < nodes_.size();
  return HandOut(inside ? &nodes_[static_cast<size_t>(index)] : nullptr, node);
}

STDMETHODIMP DomNodeList::get_length(LONG* length) {
  if (length == nullptr) return Fail(E_POINTER, "A result pointer is null.");
  *length = static_cast<LONG>(std::min<size_t>(nodes_.size(), INT32_MAX));
  return S_OK;
}

STDMETHODIMP DomNodeList::nextNode(IXMLDOMNode** node) {
  if (node == nullptr) return Fail(E_POINTER, "A result pointer is null.");
  if (position_ >= nodes_.size()) return HandOut(nullptr, node);
  return HandOut(&nodes_[position_++], node);
}

STDMETHODIMP DomNodeList::reset() {
  position_ = 0;
  return S_OK;
}

}  // namespace ebank::platform::msxml
