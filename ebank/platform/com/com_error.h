// _com_error: the exception of the COM support classes, an HRESULT with an
// optional COM error object that describes the failure.
#ifndef EBANK_PLATFORM_COM_COM_ERROR_H_
#define EBANK_PLATFORM_COM_COM_ERROR_H_

#include "ebank/platform/com/bstr_t.h"
#include "ebank/platform/com/com_issue_error.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

class EBANK_EXPORT _com_error {
 public:
  // Takes over the caller's reference to `info` (may be null); with
  // `add_ref` the error keeps a reference of its own instead.
  explicit _com_error(HRESULT hresult, IErrorInfo* info = nullptr, bool add_ref = false);
  _com_error(const _com_error& other);
  _com_error& operator=(const _com_error& other);
  virtual ~_com_error();

  HRESULT Error() const { return hresult_; }
  // The dispatch error number of ITF failures 0x80040200..0x8004FFFF, else 0.
  WORD WCode() const;
  // The error object with a reference for the caller, or null.
  IErrorInfo* ErrorInfo() const;
  // Texts of the error object; empty without one.
  _bstr_t Description() const;
  _bstr_t Source() const;
  // The system text for the HRESULT without its line break, else
  // "IDispatch error #n" or "Unknown error 0x...". Owned by this object.
  const char* ErrorMessage() const;

 private:
  HRESULT hresult_;
  IErrorInfo* info_;
  mutable char* message_ = nullptr;
};

#endif  // EBANK_PLATFORM_COM_COM_ERROR_H_
