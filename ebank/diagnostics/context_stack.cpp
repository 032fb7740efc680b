#include "ebank/diagnostics/context_stack.h"

#include <cstdio>
#include <deque>
#include <mutex>

namespace ebank::diagnostics {
namespace {

// The lock keeps the container sound when contexts live on several threads;
// the names themselves stay one list per process.
std::mutex stack_mutex;
std::deque<const char*> stack;

}  // namespace

void PushContext(const char* name) {
  std::lock_guard lock(stack_mutex);
  stack.push_back(name);
}

void PopContext() {
  std::lock_guard lock(stack_mutex);
  if (!stack.empty()) stack.pop_back();
}

const char* TopContextName() {
  std::lock_guard lock(stack_mutex);
  return stack.empty() ? nullptr : stack.back();
}

std::vector<const char*> ContextNamesSinceMarker() {
  std::lock_guard lock(stack_mutex);
  auto first = stack.end();
  while (first != stack.begin() && *(first - 1) != nullptr) --first;
  return {first, stack.end()};
}

void AppendCallStackSection(std::string& text) {
  text += "Aufrufstapel:\n";
  int number = 1;
  for (const char* name : ContextNamesSinceMarker()) {
    char prefix[16];
    const int length = std::snprintf(prefix, sizeof prefix, "%.3d ", number++);
    text.append(prefix, static_cast<std::size_t>(length));
    text += name;
    text += '\n';
  }
}

void ClearContextStack() {
  std::lock_guard lock(stack_mutex);
  stack.clear();
}

}  // namespace ebank::diagnostics
