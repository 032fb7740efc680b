#include "ebank/platform/oleaut/bstr.h"

#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>

namespace {

// Block: [uint32 room][uint32 byte length][bytes...][NUL padding to a whole
// wchar_t + one whole NUL wchar_t][spare room]. The byte length is the BSTR
// prefix, right before the text; the room, the allocator's own word before
// it, counts the bytes from the text to the end of the block. The two words
// keep the text 8-byte aligned.
//
// A new string's block is allocated to size. A string grown by
// SysReAllocStringLen beyond its room moves into a block of at least twice
// that room, and later growth fills it in place. AddressSanitizer builds mark
// the spare room unaddressable, so a read past the terminator is still
// reported.
struct Header {
  std::uint32_t room;
  std::uint32_t byte_length;
};

constexpr std::size_t kMaxByteLength =
    std::numeric_limits<std::uint32_t>::max() - 2 * sizeof(OLECHAR);
constexpr std::size_t kMaxRoom = std::numeric_limits<std::uint32_t>::max();

Header* HeaderOf(BSTR text) {
  return reinterpret_cast<Header*>(text) - 1;
}

BSTR TextOf(Header* header) {
  return reinterpret_cast<BSTR>(header + 1);
}

// Bytes from the text to the end of its terminator.
std::size_t UsedRoom(std::size_t byte_length) {
  const std::size_t units = (byte_length + sizeof(OLECHAR) - 1) / sizeof(OLECHAR);
  return (units + 1) * sizeof(OLECHAR);
}

#ifdef EBANK_TEST_HOOKS
thread_local int failing_allocations = 0;
// Whether any thread has armed the hook: until then no allocation needs to
// look at its thread's count.
std::atomic<bool> failures_armed{false};

// Consumes one failure injected by FailBstrAllocationsForTesting, if any is
// pending.
bool InjectedFailure() {
  if (!failures_armed.load(std::memory_order_relaxed) || failing_allocations == 0) return false;
  --failing_allocations;
  return true;
}
#else
constexpr bool InjectedFailure() {
  return false;
}
#endif

// Sets the byte length and writes the terminating NULs (4 to 7 bytes, as two
// overlapping 4-byte stores); only the first `used` bytes of the room stay
// addressable for AddressSanitizer.
BSTR Frame(Header* header, std::size_t byte_length) {
  const std::size_t used = UsedRoom(byte_length);
  char* text = reinterpret_cast<char*>(TextOf(header));
  ASAN_UNPOISON_MEMORY_REGION(text, used);
  ASAN_POISON_MEMORY_REGION(text + used, header->room - used);
  header->byte_length = static_cast<std::uint32_t>(byte_length);
  std::memset(text + byte_length, 0, sizeof(OLECHAR));
  std::memset(text + used - sizeof(OLECHAR), 0, sizeof(OLECHAR));
  return TextOf(header);
}

Header* NewBlock(std::size_t room) {
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + room));
  if (header != nullptr) header->room = static_cast<std::uint32_t>(room);
  return header;
}

BSTR Allocate(const void* source, std::size_t byte_length) {
  if (byte_length > kMaxByteLength || InjectedFailure()) return nullptr;
  Header* header = NewBlock(UsedRoom(byte_length));
  if (header == nullptr) return nullptr;
  BSTR text = Frame(header, byte_length);
  if (source != nullptr) std::memcpy(text, source, byte_length);
  return text;
}

// The block of `text` with room for `used` bytes: the same block when it has
// that room, otherwise a new one of at least twice the old room that the
// string moves to. (malloc's caches of small blocks serve this faster than
// realloc would.) Null when memory runs out; the string then stays.
Header* Resize(BSTR text, std::size_t used) {
  Header* header = HeaderOf(text);
  const std::size_t room = header->room;
  if (used <= room) return header;
  Header* moved = NewBlock(std::max(used, std::min(2 * room, kMaxRoom)));
  if (moved == nullptr) return nullptr;
  std::memcpy(TextOf(moved), text, UsedRoom(header->byte_length));
  std::free(header);
  return moved;
}

// Resizes *text to `byte_length` bytes, moving it when it lacks the room,
// and copies them from `source` when there is one. A source inside the
// string is found again by its offset once the block has moved.
[[gnu::noinline]] BOOL Replace(BSTR* text, const OLECHAR* source, std::size_t byte_length) {
  const auto* old_text = reinterpret_cast<const char*>(*text);
  const auto* source_bytes = reinterpret_cast<const char*>(source);
  const bool inside = source != nullptr && source_bytes >= old_text &&
                      source_bytes < old_text + UsedRoom(HeaderOf(*text)->byte_length);
  Header* header = Resize(*text, UsedRoom(byte_length));
  if (header == nullptr) return FALSE;
  char* new_text = reinterpret_cast<char*>(TextOf(header));
  if (source != nullptr) {
    // The bytes to write become addressable before they are copied.
    ASAN_UNPOISON_MEMORY_REGION(new_text, byte_length);
    std::memmove(new_text, inside ? new_text + (source_bytes - old_text) : source_bytes,
                 byte_length);
  }
  *text = Frame(header, byte_length);
  return TRUE;
}

}  // namespace

#ifdef EBANK_TEST_HOOKS
namespace ebank::platform {

void FailBstrAllocationsForTesting(int count) {
  failures_armed.store(true, std::memory_order_relaxed);
  failing_allocations = count;
}

}  // namespace ebank::platform
#endif

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
  if (text != nullptr) std::free(HeaderOf(text));
}

UINT SysStringByteLen(BSTR text) {
  return text == nullptr ? 0 : HeaderOf(text)->byte_length;
}

UINT SysStringLen(BSTR text) {
  return ebank::platform::BstrLength(text);
}

BOOL SysReAllocString(BSTR* text, const OLECHAR* source) {
  if (text == nullptr) return FALSE;
  if (source != nullptr) {
    const std::size_t length = std::wcslen(source);
    return length <= std::numeric_limits<UINT>::max() &&
           SysReAllocStringLen(text, source, static_cast<UINT>(length));
  }
  if (InjectedFailure()) return FALSE;
  SysFreeString(*text);
  *text = nullptr;
  return TRUE;
}

BOOL SysReAllocStringLen(BSTR* text, const OLECHAR* source, UINT length) {
  if (text == nullptr) return FALSE;
  if (*text == nullptr) {
    *text = SysAllocStringLen(source, length);
    return *text != nullptr;
  }
  const std::size_t byte_length = std::size_t{length} * sizeof(OLECHAR);
  if (byte_length > kMaxByteLength || InjectedFailure()) return FALSE;
  Header* header = HeaderOf(*text);
  if (source == nullptr && UsedRoom(byte_length) <= header->room) {
    *text = Frame(header, byte_length);  // the common case of a growing string
    return TRUE;
  }
  return Replace(text, source, byte_length);
}

}  // extern "C"
