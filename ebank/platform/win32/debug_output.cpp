#include "ebank/platform/win32/debug_output.h"

#include <cstdio>
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

// One installed sink of type Sink behind a mutex. Writers copy it out under the
// lock and call it outside, so a sink may itself swap sinks or run long.
template <typename Sink>
class SinkSlot {
 public:
  explicit SinkSlot(Sink fallback) : fallback_(std::move(fallback)), sink_(fallback_) {}

  Sink Swap(Sink sink) {
    std::lock_guard<std::mutex> lock(mutex_);
    Sink previous = std::move(sink_);
    sink_ = sink ? std::move(sink) : fallback_;
    return previous;
  }

  Sink Current() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sink_;
  }

 private:
  std::mutex mutex_;
  const Sink fallback_;
  Sink sink_;
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
  DebugOutputSlot().Current()(text);
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  MessageBoxSlot().Current()(caption != nullptr ? caption : "", text != nullptr ? text : "", type);
  return IDOK;
}

}  // extern "C"
