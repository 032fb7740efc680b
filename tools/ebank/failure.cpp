#include "tools/ebank/failure.h"

#include <exception>

#include "ebank/core/exception.h"
#include "ebank/platform/com/com_error.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "tools/ebank/output.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

std::string Join(const char* kind, HRESULT hresult, const std::string& description) {
  std::string text = std::string(kind) + " " + HResultText(hresult);
  if (!description.empty()) text += ": " + description;
  return text;
}

// Joins the non-empty lines of a multi-line description with "; ".
std::string OneLine(const std::string& text) {
  std::string line;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (end > start) line += (line.empty() ? "" : "; ") + text.substr(start, end - start);
    start = end + 1;
  }
  return line;
}

// The description of a library exception; a BSTR that we free.
std::string DescriptionOf(const ddCOM::Exception& exception) {
  wchar_t* description = exception.Description();
  const std::string text = WideToUtf8(description);
  SysFreeString(description);
  return OneLine(text);
}

std::string DescriptionOf(const _com_error& error) {
  std::string text = WideToUtf8(static_cast<const wchar_t*>(error.Description()));
  if (text.empty() && error.ErrorMessage() != nullptr) text = error.ErrorMessage();
  return OneLine(text);
}

}  // namespace

Failure DescribeCurrentException() {
  try {
    throw;
  } catch (const ddCOM::Exception& exception) {
    return {exception.HResult(),
            Join("ddCOM::Exception", exception.HResult(), DescriptionOf(exception))};
  } catch (const _com_error& error) {
    return {error.Error(), Join("COM error", error.Error(), DescriptionOf(error))};
  } catch (const ToolError& error) {
    return {E_FAIL, error.what()};
  } catch (const std::exception& exception) {
    return {E_FAIL, std::string("standard exception: ") + exception.what()};
  } catch (...) {
    return {E_UNEXPECTED, "unknown exception"};
  }
}

std::string DescribeServerFailure(HRESULT hresult) {
  std::string text = HResultText(hresult);
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return text;
  BSTR description = nullptr;
  if (info->GetDescription(&description) == S_OK && description != nullptr) {
    text += ": " + OneLine(WideToUtf8(description));
  }
  SysFreeString(description);
  info->Release();
  return text;
}

void FailWithCurrentException(std::string_view context) {
  throw ToolError(std::string(context) + ": " + DescribeCurrentException().text);
}

}  // namespace ebank::tool
