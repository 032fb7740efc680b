// Reads a binary key record from an RCDATA resource of a module.
//
// Calling modules carry their keys as resources; a missing, short or
// unreadable resource leaves the record untouched (all zero), which the
// engine then refuses.
#ifndef EBANK_CRYPTO_INTERNAL_KEY_RESOURCE_H_
#define EBANK_CRYPTO_INTERNAL_KEY_RESOURCE_H_

#include <cstddef>

#include "ebank/platform/types.h"

namespace ovEBankCrypto {

// Copies the first `size` bytes of RCDATA resource `name` of `module` (null:
// the program) into `record`. The resource is looked for in the default
// language choice, then in US English. Returns whether it was copied.
bool LoadKeyRecord(void* record, std::size_t size, HINSTANCE module, const char* name);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_KEY_RESOURCE_H_
