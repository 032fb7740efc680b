#include "ebank/diagnostics/internal/context_stack.h"

#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>

namespace ebank::diagnostics {
namespace {

// The lock keeps the container sound when contexts live on several threads;
// the names themselves stay one list per process.
std::mutex stack_mutex;
std::deque<const char*> stack;
// The stack's size, changed under the lock, so that every trace entry made
// outside any context asks for the top without taking the lock.
std::atomic<std::size_t> depth{0};

}  // namespace

void PushContext(const char* name) {
  std::lock_guard lock(stack_mutex);
  stack.push_back(name);
  depth.store(stack.size(), std::memory_order_release);
}

void PopContext() {
  std::lock_guard lock(stack_mutex);
  if (!stack.empty()) stack.pop_back();
  depth.store(stack.size(), std::memory_order_release);
}

const char* TopContextName() {
  if (depth.load(std::memory_order_acquire) == 0) return nullptr;
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
  depth.store(0, std::memory_order_release);
}

}  // namespace ebank::diagnostics
