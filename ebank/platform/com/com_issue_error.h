// Raising _com_error, the exception of the COM support classes.
//
// Declared apart from the class so that the wrappers which raise it
// (_bstr_t, _variant_t, _com_ptr_t) need not include it.
#ifndef EBANK_PLATFORM_COM_COM_ISSUE_ERROR_H_
#define EBANK_PLATFORM_COM_COM_ISSUE_ERROR_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

// Throws _com_error(hresult) without an error object.
[[noreturn]] EBANK_EXPORT void _com_issue_error(HRESULT hresult);
// Throws _com_error(hresult) with the thread's error object when `object`
// declares through ISupportErrorInfo that interface `iid` reports errors.
[[noreturn]] EBANK_EXPORT void _com_issue_errorex(HRESULT hresult, IUnknown* object, REFIID iid);

#endif  // EBANK_PLATFORM_COM_COM_ISSUE_ERROR_H_
