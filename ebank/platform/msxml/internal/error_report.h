// Failure reporting of the XML objects: every failing call leaves a thread
// error object describing it, so that the raising wrappers' _com_error carries
// a description.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_ERROR_REPORT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_ERROR_REPORT_H_

#include <new>
#include <string_view>

#include "ebank/platform/hresult.h"

namespace ebank::platform::msxml {

// Installs an error object with `description` (UTF-8) and returns `hr`.
HRESULT Fail(HRESULT hr, std::string_view description);

// Runs `body` and turns an allocation failure inside it into E_OUTOFMEMORY, so
// that no exception crosses a COM method.
template <typename Body>
HRESULT Guarded(Body body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return Fail(E_OUTOFMEMORY, "Not enough memory to complete the operation.");
  }
}

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_ERROR_REPORT_H_
