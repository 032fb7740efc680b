// The COM support classes in one include: _com_error, _bstr_t, _variant_t and
// _com_ptr_t with the smart-pointer typedef macro.
#ifndef EBANK_PLATFORM_COM_COM_SUPPORT_H_
#define EBANK_PLATFORM_COM_COM_SUPPORT_H_

#include "ebank/platform/com/bstr_t.h"
#include "ebank/platform/com/com_error.h"
#include "ebank/platform/com/com_ptr.h"
#include "ebank/platform/com/variant_t.h"

#endif  // EBANK_PLATFORM_COM_COM_SUPPORT_H_
