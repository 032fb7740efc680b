#include "ebank/platform/com/class_table.h"

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <string>
#include <vector>

#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/task_memory.h"

namespace ebank::platform {
namespace {

std::wstring FoldProgId(const wchar_t* prog_id) {
  std::wstring folded(prog_id);
  for (wchar_t& c : folded) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return folded;
}

struct ClassEntry {
  CLSID clsid;
  std::wstring prog_id;         // as registered, handed out by FindProgIdOfClass
  std::wstring folded_prog_id;  // for case-insensitive lookup
  IClassFactory* factory;       // one reference owned by the table
};

class ClassTable {
 public:
  static ClassTable& Get() {
    static ClassTable* table = new ClassTable;  // factories may be revoked at exit
    return *table;
  }

  void Register(ClassEntry entry) {
    entry.factory->AddRef();
    IClassFactory* replaced = nullptr;
    {
      std::lock_guard lock(mutex_);
      auto found = FindLocked(entry.clsid);
      if (found != entries_.end()) {
        replaced = found->factory;
        *found = std::move(entry);
      } else {
        entries_.push_back(std::move(entry));
      }
    }
    if (replaced != nullptr) replaced->Release();
  }

  bool Revoke(REFCLSID clsid) {
    IClassFactory* factory = nullptr;
    {
      std::lock_guard lock(mutex_);
      auto found = FindLocked(clsid);
      if (found == entries_.end()) return false;
      factory = found->factory;
      entries_.erase(found);
    }
    factory->Release();  // outside the lock: a factory may revoke from its destructor
    return true;
  }

  IClassFactory* Factory(REFCLSID clsid) {
    std::lock_guard lock(mutex_);
    auto found = FindLocked(clsid);
    if (found == entries_.end()) return nullptr;
    found->factory->AddRef();
    return found->factory;
  }

  bool ClsidOf(const std::wstring& folded_prog_id, CLSID* clsid) {
    std::lock_guard lock(mutex_);
    for (const ClassEntry& entry : entries_) {
      if (!entry.folded_prog_id.empty() && entry.folded_prog_id == folded_prog_id) {
        *clsid = entry.clsid;
        return true;
      }
    }
    return false;
  }

  std::wstring ProgIdOf(REFCLSID clsid) {
    std::lock_guard lock(mutex_);
    auto found = FindLocked(clsid);
    return found == entries_.end() ? std::wstring() : found->prog_id;
  }

 private:
  std::vector<ClassEntry>::iterator FindLocked(REFCLSID clsid) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const ClassEntry& entry) { return IsEqualCLSID(entry.clsid, clsid); });
  }

  std::mutex mutex_;
  std::vector<ClassEntry> entries_;
};

}  // namespace

HRESULT RegisterClassFactory(REFCLSID clsid, const wchar_t* prog_id, IClassFactory* factory) {
  if (factory == nullptr) return E_INVALIDARG;
  const wchar_t* name = prog_id != nullptr ? prog_id : L"";
  ClassTable::Get().Register(ClassEntry{clsid, name, FoldProgId(name), factory});
  return S_OK;
}

HRESULT RevokeClassFactory(REFCLSID clsid) {
  return ClassTable::Get().Revoke(clsid) ? S_OK : S_FALSE;
}

IClassFactory* FindClassFactory(REFCLSID clsid) {
  return ClassTable::Get().Factory(clsid);
}

bool FindClassByProgId(const wchar_t* prog_id, CLSID* clsid) {
  if (prog_id == nullptr || *prog_id == L'\0' || clsid == nullptr) return false;
  return ClassTable::Get().ClsidOf(FoldProgId(prog_id), clsid);
}

wchar_t* FindProgIdOfClass(REFCLSID clsid) {
  const std::wstring prog_id = ClassTable::Get().ProgIdOf(clsid);
  if (prog_id.empty()) return nullptr;
  const size_t bytes = (prog_id.size() + 1) * sizeof(wchar_t);
  auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
  if (copy != nullptr) std::wmemcpy(copy, prog_id.c_str(), prog_id.size() + 1);
  return copy;
}

}  // namespace ebank::platform
