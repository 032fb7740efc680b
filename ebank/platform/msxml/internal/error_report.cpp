#include "ebank/platform/msxml/internal/error_report.h"

#include "ebank/platform/com/internal/failure_report.h"

namespace ebank::platform::msxml {

HRESULT Fail(HRESULT hr, std::string_view description) {
  return ReportFailure(hr, description, "ebank XML");
}

}  // namespace ebank::platform::msxml
