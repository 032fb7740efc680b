#include "ebank/platform/msxml/error_report.h"

#include "ebank/platform/com/failure_report.h"

namespace ebank::platform::msxml {

HRESULT Fail(HRESULT hr, std::string_view description) {
  return ReportFailure(hr, description, "ebank XML");
}

}  // namespace ebank::platform::msxml
