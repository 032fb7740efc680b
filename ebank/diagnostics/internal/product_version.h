// The product version that a module file's version resource names, read from
// the file without loading it.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_PRODUCT_VERSION_H_
#define EBANK_DIAGNOSTICS_INTERNAL_PRODUCT_VERSION_H_

#include <string>

namespace ebank::diagnostics {

// Stores the ProductVersion text of `module_path` in `version`; false when the
// file has no version resource, its resource no product version, or the path
// is longer than 511 characters.
bool GetModuleProductVersion(const char* module_path, std::string* version);

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_PRODUCT_VERSION_H_
