#include "ebank/platform/win32/debug_output.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <utility>

namespace {

void WriteDebugOutputToStderr(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

void WriteMessageBoxToStderr(std::string_view caption, std::string_view text, UINT) {
  std::fprintf(stderr, "[%.*s] %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
}

// One installed sink of type Sink behind a mutex. Writers take a reference to
// it under the lock and call it outside, so a sink may itself swap sinks or
// run long; a swapped-out sink lives until its last call returns.
template <typename Sink>
class SinkSlot {
 public:
  explicit SinkSlot(Sink fallback)
      : fallback_(std::make_shared<const Sink>(std::move(fallback))), sink_(fallback_) {}

  Sink Swap(Sink sink) {
    std::shared_ptr<const Sink> next =
        sink ? std::make_shared<const Sink>(std::move(sink)) : fallback_;
    std::lock_guard<std::mutex> lock(mutex_);
    Sink previous = *sink_;
    sink_ = std::move(next);
    return previous;
  }

  std::shared_ptr<const Sink> Current() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sink_;
  }

 private:
  std::mutex mutex_;
  const std::shared_ptr<const Sink> fallback_;
  std::shared_ptr<const Sink> sink_;
};

SinkSlot<ebank::platform::DebugOutputSink>& DebugOutputSlot() {
  static SinkSlot<ebank::platform::DebugOutputSink> slot(WriteDebugOutputToStderr);
  return slot;
}

SinkSlot<ebank::platform::MessageBoxSink>& MessageBoxSlot() {
  static SinkSlot<ebank::platform::MessageBoxSink> slot(WriteMessageBoxToStderr);
  return slot;
}

}  // namespace

namespace ebank::platform {

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink) {
  return DebugOutputSlot().Swap(std::move(sink));
}

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) {
  return MessageBoxSlot().Swap(std::move(sink));
}

}  // namespace ebank::platform

extern "C" {

void OutputDebugStringA(LPCSTR text) {
  if (text == nullptr) return;
  (*DebugOutputSlot().Current())(text);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  (*MessageBoxSlot().Current())(caption != nullptr ? caption : "", text != nullptr ? text : "",
                                type);
  return IDOK;
}

}  // extern "C"
