#include "ebank/platform/com/activation.h"

#include <dlfcn.h>

#include <cwchar>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/guid_string.h"
#include "ebank/platform/com/internal/failure_report.h"
#include "ebank/platform/com/task_memory.h"
#include "ebank/platform/win32/internal/module_image_check.h"
#include "ebank/platform/win32/registry.h"

namespace {

// Longest registry text read here; longer values are not class data.
constexpr DWORD kMaxRegistryText = 4096;

// The default text value of HKEY_CLASSES_ROOT\<subkey>, if it is a text.
std::optional<std::string> ReadClassesRootText(const std::string& subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<char> text(kMaxRegistryText);
  DWORD type = 0;
  DWORD size = kMaxRegistryText;
  const LONG status =
      RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  std::string result(text.data(), size);
  result.resize(result.find('\0') == std::string::npos ? size : result.find('\0'));
  return result;
}

// ProgIDs are plain ASCII names; anything else cannot be registered.
std::optional<std::string> NarrowProgId(LPCOLESTR prog_id) {
  std::string narrow;
  for (; *prog_id != L'\0'; ++prog_id) {
    if (*prog_id <= 0 || *prog_id > 0x7E || *prog_id == L'\\') return std::nullopt;
    narrow += static_cast<char>(*prog_id);
  }
  if (narrow.empty()) return std::nullopt;
  return narrow;
}

std::string ClsidKeyName(REFCLSID clsid) {
  wchar_t text[kGuidStringLength];
  StringFromGUID2(clsid, text, kGuidStringLength);
  std::string key = "CLSID\\";
  for (const wchar_t* c = text; *c != L'\0'; ++c) key += static_cast<char>(*c);
  return key;
}

std::optional<CLSID> ParseClsidText(const std::string& text) {
  if (text.size() + 1 != static_cast<size_t>(kGuidStringLength)) return std::nullopt;
  std::wstring wide(text.begin(), text.end());
  CLSID clsid{};
  if (FAILED(IIDFromString(wide.c_str(), &clsid))) return std::nullopt;
  return clsid;
}

// Loads the module named by `path` as the loader does: a name with a slash is
// that file, a bare file name is searched for along the library path. A file
// is checked before the loader maps it, as a cut one would fault the process.
// Failures carry the loader's own reason as the error object's description.
HRESULT Load(const std::string& path, void** handle) {
  if (path.find('/') != std::string::npos) {
    const std::string problem = ebank::platform::ModuleImageProblem(path.c_str());
    if (!problem.empty()) {
      return ebank::platform::ReportFailure(HRESULT_FROM_WIN32(ERROR_BAD_FORMAT), problem);
    }
  }
  *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (*handle != nullptr) return S_OK;
  const char* reason = dlerror();
  return ebank::platform::ReportFailure(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND),
                                        reason != nullptr ? reason : "cannot load " + path);
}

// In-process servers stay loaded for the life of the process, as objects and
// factories they handed out may still be in use anywhere.
class ServerModules {
 public:
  static ServerModules& Get() {
    static ServerModules* modules = new ServerModules;
    return *modules;
  }

  // A module that cannot be used leaves an error object saying why.
  HRESULT EntryPoint(const std::string& path, DllGetClassObjectFunction* entry) {
    std::lock_guard lock(mutex_);
    auto found = entries_.find(path);
    if (found == entries_.end()) {
      void* handle = nullptr;
      if (const HRESULT hr = Load(path, &handle); FAILED(hr)) return hr;
      auto function =
          reinterpret_cast<DllGetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
      found = entries_.emplace(path, function).first;
    }
    *entry = found->second;
    if (*entry == nullptr) {
      return ebank::platform::ReportFailure(CO_E_ERRORINDLL,
                                            path + " does not export DllGetClassObject");
    }
    return S_OK;
  }

 private:
  std::mutex mutex_;
  std::map<std::string, DllGetClassObjectFunction> entries_;
};

HRESULT GetRegisteredClassObject(REFCLSID clsid, DWORD context, REFIID iid, LPVOID* object) {
  if ((context & (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)) == 0) return REGDB_E_CLASSNOTREG;
  const auto server = ReadClassesRootText(ClsidKeyName(clsid) + "\\InprocServer32");
  if (!server || server->empty()) return REGDB_E_CLASSNOTREG;
  DllGetClassObjectFunction entry = nullptr;
  const HRESULT hr = ServerModules::Get().EntryPoint(*server, &entry);
  if (FAILED(hr)) return hr;
  return entry(clsid, iid, object);
}

}  // namespace

extern "C" HRESULT CLSIDFromProgID(LPCOLESTR prog_id, LPCLSID clsid) {
  if (prog_id == nullptr || clsid == nullptr) return E_INVALIDARG;
  *clsid = GUID_NULL;
  if (prog_id[0] == L'{') return CLSIDFromString(prog_id, clsid);
  if (ebank::platform::FindClassByProgId(prog_id, clsid)) return S_OK;
  const auto name = NarrowProgId(prog_id);
  if (!name) return CO_E_CLASSSTRING;
  const auto text = ReadClassesRootText(*name + "\\CLSID");
  const auto parsed = text ? ParseClsidText(*text) : std::nullopt;
  if (!parsed) return CO_E_CLASSSTRING;
  *clsid = *parsed;
  return S_OK;
}

extern "C" HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* prog_id) {
  if (prog_id == nullptr) return E_INVALIDARG;
  *prog_id = ebank::platform::FindProgIdOfClass(clsid);
  if (*prog_id != nullptr) return S_OK;
  const auto text = ReadClassesRootText(ClsidKeyName(clsid) + "\\ProgID");
  if (!text || text->empty()) return REGDB_E_CLASSNOTREG;
  *prog_id = static_cast<LPOLESTR>(CoTaskMemAlloc((text->size() + 1) * sizeof(OLECHAR)));
  if (*prog_id == nullptr) return E_OUTOFMEMORY;
  for (size_t i = 0; i <= text->size(); ++i) {
    (*prog_id)[i] = static_cast<unsigned char>((*text)[i]);
  }
  return S_OK;
}

extern "C" HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, LPVOID, REFIID iid,
                                    LPVOID* object) {
  if (object == nullptr) return E_INVALIDARG;
  *object = nullptr;
  if (!ebank::platform::IsComInitializedOnThisThread()) return CO_E_NOTINITIALIZED;
  if (IClassFactory* factory = ebank::platform::FindClassFactory(clsid)) {
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
  }
  return GetRegisteredClassObject(clsid, context, iid, object);
}

extern "C" HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                    LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  IClassFactory* factory = nullptr;
  HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(outer, iid, object);
  factory->Release();
  return hr;
}
