// The process-wide trace context stack: names of the operations the process is
// in (pushed by CTraceContext), separated by markers (null entries). The trace
// writer prints the top name in each line and the names since the most recent
// marker as the call-stack section of WARNING and ERROR entries.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_CONTEXT_STACK_H_
#define EBANK_DIAGNOSTICS_INTERNAL_CONTEXT_STACK_H_

#include <string>
#include <vector>

namespace ebank::diagnostics {

// Pushes `name` (not copied; null pushes a marker).
void PushContext(const char* name);
// Removes the top entry; an empty stack stays empty.
void PopContext();
// The top entry when it is a name, otherwise null.
const char* TopContextName();
// The names entered since the most recent marker, outermost first.
std::vector<const char*> ContextNamesSinceMarker();
// Empties the stack (test reset).
void ClearContextStack();
// Appends "Aufrufstapel:" and the numbered names since the most recent marker.
void AppendCallStackSection(std::string& text);

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_CONTEXT_STACK_H_
