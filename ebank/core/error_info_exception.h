// ddCOM::ErrorInfo: an exception holding the COM error object of a failed call.
//
// Built from an HRESULT alone it takes the calling thread's error object;
// Propagate hands that object back to the thread at a component boundary.
#ifndef EBANK_CORE_ERROR_INFO_EXCEPTION_H_
#define EBANK_CORE_ERROR_INFO_EXCEPTION_H_

#include "ebank/core/exception.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

class EBANK_EXPORT ErrorInfo : public Exception {
 public:
  // Takes over the thread's current error object (which may be none).
  explicit ErrorInfo(LONG hresult);
  // Keeps `info` (may be null) with a reference of its own.
  ErrorInfo(LONG hresult, IErrorInfo* info);
  ErrorInfo(const ErrorInfo& other);
  ErrorInfo& operator=(const ErrorInfo& other);
  ~ErrorInfo() override;

  // The error object's description, else the system text for the HRESULT.
  wchar_t* Description() const override;
  // Hands the held error object back to the thread and forgets it; without
  // one, builds a new error object as Exception does.
  LONG Propagate(const GUID& clsid) override;

 private:
  IErrorInfo* info_;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_ERROR_INFO_EXCEPTION_H_
