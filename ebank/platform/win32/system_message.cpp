#include "ebank/platform/win32/system_message.h"

#include "ebank/platform/hresult.h"

namespace ebank::platform {
namespace {

struct SystemMessage {
  DWORD code;
  std::string_view text;
};

constexpr DWORD Code(HRESULT hr) {
  return static_cast<DWORD>(hr);
}

constexpr SystemMessage kSystemMessages[] = {
    // Win32 error codes (S_OK and S_FALSE share the values 0 and 1).
    {0, "The operation completed successfully.\r\n"},
    {1, "Incorrect function.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY,
     "Not enough memory resources are available to process this command.\r\n"},
    {ERROR_BAD_FORMAT, "An attempt was made to load a program with an incorrect format.\r\n"},
    {ERROR_OUTOFMEMORY,
     "Not enough memory resources are available to complete this operation.\r\n"},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small.\r\n"},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found.\r\n"},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found.\r\n"},
    {ERROR_MORE_DATA, "More data is available.\r\n"},
    {ERROR_NO_MORE_ITEMS, "No more data is available.\r\n"},
    {ERROR_MR_MID_NOT_FOUND,
     "The system cannot find message text for message number 0x%1 in the message file for "
     "%2.\r\n"},
    {ERROR_INVALID_FLAGS, "Invalid flags.\r\n"},
    {ERROR_NO_UNICODE_TRANSLATION,
     "No mapping for the Unicode character exists in the target multi-byte code page.\r\n"},
    {ERROR_RESOURCE_DATA_NOT_FOUND,
     "The specified image file did not contain a resource section.\r\n"},
    {ERROR_RESOURCE_TYPE_NOT_FOUND,
     "The specified resource type cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_NAME_NOT_FOUND,
     "The specified resource name cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_LANG_NOT_FOUND,
     "The specified resource language ID cannot be found in the image file.\r\n"},
    // General COM failures.
    {Code(E_NOTIMPL), "Not implemented\r\n"},
    {Code(E_NOINTERFACE), "No such interface supported\r\n"},
    {Code(E_POINTER), "Invalid pointer\r\n"},
    {Code(E_ABORT), "Operation aborted\r\n"},
    {Code(E_FAIL), "Unspecified error\r\n"},
    {Code(E_UNEXPECTED), "Catastrophic failure\r\n"},
    // Automation.
    {Code(DISP_E_UNKNOWNINTERFACE), "Unknown interface.\r\n"},
    {Code(DISP_E_MEMBERNOTFOUND), "Member not found.\r\n"},
    {Code(DISP_E_PARAMNOTFOUND), "Parameter not found.\r\n"},
    {Code(DISP_E_TYPEMISMATCH), "Type mismatch.\r\n"},
    {Code(DISP_E_UNKNOWNNAME), "Unknown name.\r\n"},
    {Code(DISP_E_BADVARTYPE), "Bad variable type.\r\n"},
    {Code(DISP_E_EXCEPTION), "Exception occurred.\r\n"},
    {Code(DISP_E_OVERFLOW), "Out of present range.\r\n"},
    {Code(DISP_E_DIVBYZERO), "Division by zero.\r\n"},
    // Class activation and the registry.
    {Code(CLASS_E_NOAGGREGATION),
     "Class does not support aggregation (or class object is remote)\r\n"},
    {Code(CLASS_E_CLASSNOTAVAILABLE), "ClassFactory cannot supply requested class\r\n"},
    {Code(REGDB_E_READREGDB), "Could not read key from registry\r\n"},
    {Code(REGDB_E_CLASSNOTREG), "Class not registered\r\n"},
    {Code(CO_E_NOTINITIALIZED), "CoInitialize has not been called.\r\n"},
    {Code(CO_E_CLASSSTRING), "Invalid class string\r\n"},
    {Code(CO_E_DLLNOTFOUND), "DLL for class not found\r\n"},
    {Code(CO_E_ERRORINDLL), "Error in the DLL\r\n"},
    {Code(RPC_E_CHANGED_MODE), "Cannot change thread mode after it is set.\r\n"},
};

std::optional<std::string_view> Find(DWORD code) {
  for (const SystemMessage& message : kSystemMessages) {
    if (message.code == code) return message.text;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string_view> SystemMessageText(DWORD code) {
  if (std::optional<std::string_view> text = Find(code)) return text;
  const auto hr = static_cast<HRESULT>(code);
  if (FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_WIN32) return Find(HRESULT_CODE(hr));
  return std::nullopt;
}

}  // namespace ebank::platform
