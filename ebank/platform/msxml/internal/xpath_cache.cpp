#include "ebank/platform/msxml/internal/xpath_cache.h"

#include <new>

namespace ebank::platform::msxml {
namespace {

// Bounds on what is kept: a thread querying endlessly many or huge generated
// paths holds at most this many expressions of at most this size.
constexpr size_t kMaxEntries = 128;
constexpr size_t kMaxCachedLength = 1024;

}  // namespace

XPathCache& XPathCache::ForThisThread() {
  thread_local XPathCache cache;
  return cache;
}

XPathCache::~XPathCache() {
  compiled_.clear();
  if (context_ != nullptr) xmlXPathFreeContext(context_);
}

xmlXPathObjectPtr XPathCache::Evaluate(const std::string& xpath, xmlDocPtr doc, xmlNodePtr node) {
  if (context_ == nullptr) context_ = xmlXPathNewContext(nullptr);
  if (context_ == nullptr) throw std::bad_alloc();
  // Absolute paths start at the context's document, so both are set anew
  // for every evaluation.
  context_->doc = doc;
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
