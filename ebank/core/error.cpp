#include "ebank/core/error.h"

#include "ebank/core/internal/ansi_bstr.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/resource.h"

namespace ddCOM {

namespace {

// A string resource holds at most 1023 characters and its terminator.
constexpr int kResourceBufferSize = 1024;

BSTR LoadResourceText(UINT id, HINSTANCE module) {
  char buffer[kResourceBufferSize];
  if (LoadStringA(module, id, buffer, kResourceBufferSize) <= 0) return nullptr;
  return internal::BstrFromAnsi(buffer);
}

}  // namespace

Error::Error(LONG hresult, const wchar_t* description)
    : Exception(hresult), description_(SysAllocString(description)) {}

Error::Error(LONG hresult, const char* description)
    : Exception(hresult), description_(internal::BstrFromAnsi(description)) {}

Error::Error(LONG hresult, UINT id, HINSTANCE module)
    : Exception(hresult), description_(LoadResourceText(id, module)) {}

Error::Error(const Error& other)
    : Exception(other), description_(SysAllocString(other.description_)) {}

Error& Error::operator=(const Error& other) {
  if (this == &other) return *this;
  Exception::operator=(other);
  SysFreeString(description_);
  description_ = SysAllocString(other.description_);
  return *this;
}

Error::~Error() {
  SysFreeString(description_);
}

wchar_t* Error::Description() const {
  if (BSTR copy = SysAllocString(description_)) return copy;
  return Exception::Description();
}

}  // namespace ddCOM
