// ddCOM::Error: an exception with an explicit description text.
//
// Narrow texts and string resources are converted with the thread's ANSI code
// page; without a text of its own the system message for the HRESULT is used.
#ifndef EBANK_CORE_ERROR_H_
#define EBANK_CORE_ERROR_H_

#include "ebank/core/exception.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

class EBANK_EXPORT Error : public Exception {
 public:
  Error(LONG hresult, const wchar_t* description);
  Error(LONG hresult, const char* description);
  // Takes the text of string resource `id` of `module` (at most 1023
  // characters); a missing or empty resource leaves the description null.
  Error(LONG hresult, UINT id, HINSTANCE module);
  Error(const Error& other);
  Error& operator=(const Error& other);
  ~Error() override;

  // A copy of the own description, else the system text for the HRESULT.
  wchar_t* Description() const override;

 private:
  wchar_t* description_;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_ERROR_H_
