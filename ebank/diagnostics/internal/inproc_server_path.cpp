#include "ebank/diagnostics/internal/inproc_server_path.h"

#include <string>

#include "ebank/diagnostics/internal/registry_key.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/guid_string.h"
#include "ebank/platform/com/task_memory.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/internal/saved_last_error.h"
#include "ebank/platform/win32/registry.h"  // HKEY_CLASSES_ROOT

namespace ebank::diagnostics {
namespace {

// "CLSID\{...}\InprocServer32" for `clsid`, or an empty text when the CLSID
// cannot be printed (traced).
std::string ServerKeyName(const CLSID& clsid) {
  LPOLESTR text = nullptr;
  const HRESULT result = StringFromCLSID(clsid, &text);
  if (FAILED(result) || text == nullptr) {
    ovEBankHelper::g_TraceError("StringFromCLSID failed ! HRESULT: 0x%08x", result);
    return {};
  }
  // The braced form is plain ASCII, so each unit narrows to itself.
  std::string name = "CLSID\\";
  for (const wchar_t* unit = text; *unit != L'\0'; ++unit) name += static_cast<char>(*unit);
  CoTaskMemFree(text);
  return name + "\\InprocServer32";
}

}  // namespace

bool ResolveInprocServerPath(const wchar_t* prog_id, char* server_path) {
  if (prog_id == nullptr || server_path == nullptr) return false;
  const platform::SavedLastError keep_callers_error;
  CLSID clsid{};
  const HRESULT result = CLSIDFromProgID(prog_id, &clsid);
  if (FAILED(result)) {
    ovEBankHelper::g_TraceError(
        "CLSID konnte aus der ProgID %ls nicht ermittelt werden ! HRESULT: 0x%08x", prog_id,
        result);
    return false;
  }
  const std::string key_name = ServerKeyName(clsid);
  if (key_name.empty()) return false;
  const RegistryKey key(HKEY_CLASSES_ROOT, key_name.c_str());
  return key.ValueSize(nullptr) != 0 && key.ReadTextCut(nullptr, server_path, kServerPathSize);
}

}  // namespace ebank::diagnostics
