#include "ebank/crypto/internal/key_resource.h"

#include <string.h>

#include "ebank/platform/win32/resource.h"

namespace ovEBankCrypto {

bool LoadKeyRecord(void* record, std::size_t size, HINSTANCE module, const char* name) {
  if (name == nullptr) return false;
  HRSRC resource = FindResourceA(module, name, RT_RCDATA);
  if (resource == nullptr) {
    resource =
        FindResourceExA(module, RT_RCDATA, name, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  }
  if (resource == nullptr || SizeofResource(module, resource) < size) return false;
  HGLOBAL data = LoadResource(module, resource);
  const void* bytes = data != nullptr ? LockResource(data) : nullptr;
  if (bytes == nullptr) return false;
  memcpy(record, bytes, size);
  return true;
}

}  // namespace ovEBankCrypto
