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

xmlXPathObjectPtr XPathCache::Evaluate(const std::string& xpath, xmlDocPtr doc, xmlNodePtr node,
                                       CapturedError* error) {
  if (context_ == nullptr) context_ = xmlXPathNewContext(nullptr);
  if (context_ == nullptr) throw std::bad_alloc();
  // Absolute paths start at the context's document, so both are set anew
  // for every evaluation.
  context_->doc = doc;
  context_->node = node;
  const bool cacheable = xpath.size() <= kMaxCachedLength;
  if (cacheable) {
    auto found = compiled_.find(xpath);
    if (found != compiled_.end() && found->second.quiet) {
      return EvaluateQuietly(found->second.expression.get(), error);
    }
  }
  ErrorCapture capture;
  xmlXPathObjectPtr result = nullptr;
  if (!cacheable) {
    result = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context_);
  } else if (Entry* entry = EntryOf(xpath); entry != nullptr) {
    result = xmlXPathCompiledEval(entry->expression.get(), context_);
    entry->quiet = result != nullptr && !capture.error().present;
  }
  *error = capture.error();
  return result;
}

XPathCache::Entry* XPathCache::EntryOf(const std::string& xpath) {
  if (auto found = compiled_.find(xpath); found != compiled_.end()) return &found->second;
  Entry entry;
  entry.expression.reset(
      xmlXPathCtxtCompile(context_, reinterpret_cast<const xmlChar*>(xpath.c_str())));
  if (entry.expression == nullptr) return nullptr;
  if (compiled_.size() >= kMaxEntries) compiled_.clear();
  return &compiled_.emplace(xpath, std::move(entry)).first->second;
}

// libxml2 hands the context's handler its errors without a message text; the
// caller then names the failure in general terms. Only running out of memory
// gets here: everything an expression itself can get wrong showed on its
// first evaluation.
xmlXPathObjectPtr XPathCache::EvaluateQuietly(xmlXPathCompExprPtr expression,
                                              CapturedError* error) {
  sink_ = error;
  context_->error = &XPathCache::ReportError;
  context_->userData = this;
  xmlXPathObjectPtr result = xmlXPathCompiledEval(expression, context_);
  context_->error = nullptr;
  sink_ = nullptr;
  return result;
}

void XPathCache::ReportError(void* cache, xmlErrorPtr error) {
  RecordFirstError(error, static_cast<XPathCache*>(cache)->sink_);
}

}  // namespace ebank::platform::msxml
