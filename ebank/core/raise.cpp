#include "ebank/core/raise.h"

#include "ebank/core/error.h"
#include "ebank/core/error_info_exception.h"
#include "ebank/core/exception.h"
#include "ebank/platform/hresult.h"

namespace ddCOM {

void RaiseHResult(LONG hresult) {
  throw Exception(hresult);
}

void Raise(LONG hresult, const char* description) {
  throw Error(hresult, description);
}

void CheckHResult(LONG hresult) {
  if (FAILED(hresult)) throw ErrorInfo(hresult);
}

}  // namespace ddCOM
