#include "ebank/platform/msxml/xpath_cache.h"

#include <new>

namespace ebank::platform::msxml {
namespace {

// Bounds on what is kept: a document queried with endlessly many or huge
// generated paths holds at most this many expressions of at most this size.
constexpr size_t kMaxEntries = 128;
constexpr size_t kMaxCachedLength = 1024;

}  // namespace

void XPathCache::Clear() {
  compiled_.clear();
  if (context_ != nullptr) xmlXPathFreeContext(context_);
  context_ = nullptr;
}

xmlXPathObjectPtr XPathCache::Evaluate(const std::string& xpath, xmlNodePtr node) {
  // Made on first use and kept, since making one registers every XPath
  // function anew.
  if (context_ == nullptr) context_ = xmlXPathNewContext(doc_);
  if (context_ == nullptr) throw std::bad_alloc();
  context_->node = node;
  const auto* text = reinterpret_cast<const xmlChar*>(xpath.c_str());
  if (xpath.size() > kMaxCachedLength) return xmlXPathEvalExpression(text, context_);
  xmlXPathCompExprPtr compiled = CompiledOf(xpath);
  return compiled != nullptr ? xmlXPathCompiledEval(compiled, context_) : nullptr;
}

xmlXPathCompExprPtr XPathCache::CompiledOf(const std::string& xpath) {
  if (auto found = compiled_.find(xpath); found != compiled_.end()) return found->second.get();
  Compiled compiled(xmlXPathCtxtCompile(context_, reinterpret_cast<const xmlChar*>(xpath.c_str())));
  if (compiled == nullptr) return nullptr;
  if (compiled_.size() >= kMaxEntries) compiled_.clear();
  return compiled_.emplace(xpath, std::move(compiled)).first->second.get();
}

}  // namespace ebank::platform::msxml
