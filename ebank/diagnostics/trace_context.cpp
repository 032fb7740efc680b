#include "ebank/diagnostics/trace_context.h"

#include <atomic>

#include "ebank/diagnostics/internal/context_stack.h"
#include "ebank/diagnostics/internal/testing_hooks.h"
#include "ebank/diagnostics/trace.h"

namespace ovEBankHelper {
namespace {

std::atomic<bool> first_context{true};

}  // namespace

CTraceContext::CTraceContext() {
  ebank::diagnostics::PushContext(nullptr);
}

CTraceContext::CTraceContext(const char* name) {
  // Traced before the push, so the line names an enclosing context if any.
  if (first_context.exchange(false)) g_TraceInfo("Online Session gestartet !");
  ebank::diagnostics::PushContext(name);
}

CTraceContext::CTraceContext(const CTraceContext&) {}

CTraceContext& CTraceContext::operator=(const CTraceContext&) {
  return *this;
}

CTraceContext::~CTraceContext() {
  ebank::diagnostics::PopContext();
}

}  // namespace ovEBankHelper

namespace ebank::diagnostics {

#ifdef EBANK_TEST_HOOKS
void ResetContextStackForTesting() {
  ClearContextStack();
  ovEBankHelper::first_context.store(true);
}
#endif

}  // namespace ebank::diagnostics
