// ddCOM::SupportErrorInfo: a mixin that answers ISupportErrorInfo for a COM
// component whose interfaces all report failures through error objects.
#ifndef EBANK_CORE_SUPPORT_ERROR_INFO_H_
#define EBANK_CORE_SUPPORT_ERROR_INFO_H_

#include "ebank/platform/com/error_info.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

// The deriving component class supplies QueryInterface, AddRef and Release.
class EBANK_EXPORT SupportErrorInfo : public ISupportErrorInfo {
 public:
  SupportErrorInfo() = default;
  SupportErrorInfo(const SupportErrorInfo&) = default;
  SupportErrorInfo& operator=(const SupportErrorInfo&) = default;

  // S_OK for every interface id.
  STDMETHOD(InterfaceSupportsErrorInfo)(REFIID iid) override;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_SUPPORT_ERROR_INFO_H_
