// CTraceContext names the operation a component is in: the object pushes the
// name onto the process-wide trace context stack when it is created and removes
// the top entry when it ends, so trace lines carry the current operation.
#ifndef EBANK_DIAGNOSTICS_TRACE_CONTEXT_H_
#define EBANK_DIAGNOSTICS_TRACE_CONTEXT_H_

#include "ebank/platform/export.h"

namespace ovEBankHelper {

class EBANK_EXPORT CTraceContext {
 public:
  // Pushes a marker: lines traced inside carry no name and no call stack.
  CTraceContext();
  // Pushes `name`, which must outlive the object (it is not copied). The first
  // named context of the process first traces "Online Session gestartet !".
  explicit CTraceContext(const char* name);
  // A copy pushes nothing, but still removes the top entry when it ends.
  CTraceContext(const CTraceContext& other);
  CTraceContext& operator=(const CTraceContext& other);
  // Removes the top entry, whichever object pushed it: contexts must end in the
  // reverse order of their creation.
  virtual ~CTraceContext();
};

}  // namespace ovEBankHelper

#endif  // EBANK_DIAGNOSTICS_TRACE_CONTEXT_H_
