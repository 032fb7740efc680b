#include "ebank/platform/oleaut/bstr.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>

namespace {

// Layout: [uint32 byte length][bytes...][NUL padding to a whole wchar_t + one
// whole NUL wchar_t]. The prefix keeps the text 4-byte aligned for wchar_t.
thread_local int failing_allocations = 0;

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR text) {
  return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kPrefix);
}

std::size_t PaddedSize(std::size_t byte_length) {
  const std::size_t units = (byte_length + sizeof(OLECHAR) - 1) / sizeof(OLECHAR);
  return kPrefix + (units + 1) * sizeof(OLECHAR);
}

BSTR Allocate(const void* source, std::size_t byte_length) {
  if (byte_length > std::numeric_limits<std::uint32_t>::max() - 2 * sizeof(OLECHAR)) {
    return nullptr;
  }
  if (failing_allocations > 0) {
    --failing_allocations;
    return nullptr;
  }
  const std::size_t size = PaddedSize(byte_length);
  char* block = static_cast<char*>(std::malloc(size));
  if (block == nullptr) return nullptr;
  *reinterpret_cast<std::uint32_t*>(block) = static_cast<std::uint32_t>(byte_length);
  char* text = block + kPrefix;
  if (source != nullptr) std::memcpy(text, source, byte_length);
  std::memset(text + byte_length, 0, size - kPrefix - byte_length);
  return reinterpret_cast<BSTR>(text);
}

}  // namespace

namespace ebank::platform {

void FailBstrAllocationsForTesting(int count) { failing_allocations = count; }

}  // namespace ebank::platform

extern "C" {

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  return Allocate(text, std::wcslen(text) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (length > std::numeric_limits<std::uint32_t>::max() / sizeof(OLECHAR)) return nullptr;
  return Allocate(text, std::size_t{length} * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* bytes, UINT byte_length) {
  return Allocate(bytes, byte_length);
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(PrefixOf(text));
}

UINT SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *PrefixOf(text); }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

BOOL SysReAllocString(BSTR* text, const OLECHAR* source) {
  if (text == nullptr) return FALSE;
  BSTR copy = SysAllocString(source);
  if (copy == nullptr && source != nullptr) return FALSE;
  SysFreeString(*text);
  *text = copy;
  return TRUE;
}

}  // extern "C"
