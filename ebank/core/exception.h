// ddCOM::Exception: the base of the library's exceptions, carrying an HRESULT.
//
// Thrown by value and caught by reference. Propagate turns a caught exception
// into the calling thread's COM error object at a component boundary.
#ifndef EBANK_CORE_EXCEPTION_H_
#define EBANK_CORE_EXCEPTION_H_

#include <exception>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

class EBANK_EXPORT Exception : public std::exception {
 public:
  explicit Exception(LONG hresult) : hresult_(hresult) {}
  Exception(const Exception& other) = default;
  Exception& operator=(const Exception& other) = default;
  ~Exception() override;

  LONG HResult() const { return hresult_; }
  void SetHResult(LONG hresult) { hresult_ = hresult; }

  // The system's message text for the HRESULT as a new BSTR that the caller
  // frees, or null when the system knows none. Never throws.
  virtual wchar_t* Description() const;

  // Installs a new error object on the calling thread carrying Description()
  // and, as its source, the ProgID of `clsid`. Returns the HRESULT; failures
  // only leave the error object out. Never throws.
  virtual LONG Propagate(const GUID& clsid);

 private:
  LONG hresult_;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_EXCEPTION_H_
