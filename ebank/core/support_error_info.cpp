#include "ebank/core/support_error_info.h"

#include "ebank/platform/hresult.h"

namespace ddCOM {

HRESULT STDMETHODCALLTYPE SupportErrorInfo::InterfaceSupportsErrorInfo(REFIID) {
  return S_OK;
}

}  // namespace ddCOM
