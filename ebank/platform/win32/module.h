// Module handles: a module is a loaded ELF object, its handle the object's base
// address. Finds loaded objects by file name and names them.
#ifndef EBANK_PLATFORM_WIN32_MODULE_H_
#define EBANK_PLATFORM_WIN32_MODULE_H_

#include <string>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {
// The handle of an already loaded object whose file is `name` (a full path or a
// base name, compared case-insensitively); null `name` gives the program.
// Never loads anything: an object that is not loaded gives null and
// ERROR_MOD_NOT_FOUND.
EBANK_EXPORT HMODULE GetModuleHandleA(LPCSTR name);
// Copies the file path of `module` (null: the program) into `buffer`. A path
// that does not fit is cut to size - 1 characters, terminated, and the result is
// `size` with ERROR_INSUFFICIENT_BUFFER as the last error.
EBANK_EXPORT DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
}

namespace ebank::platform {

// The handle of the loaded object that contains `address` (null when none does);
// a library calls it from a load-time constructor to record its own handle.
EBANK_EXPORT HMODULE ModuleFromAddress(const void* address);
// The file path of loaded module `module` (null: the program); empty when no
// loaded object has that handle.
EBANK_EXPORT std::string ModuleFilePath(HMODULE module);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_MODULE_H_
