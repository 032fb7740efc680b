// Key record files: the 258-byte public and 706-byte private RSA key records,
// byte for byte as calling modules carry them as resources.
#ifndef EBANK_TOOLS_EBANK_KEY_RECORD_FILE_H_
#define EBANK_TOOLS_EBANK_KEY_RECORD_FILE_H_

#include <cstddef>
#include <string>

namespace ebank::tool {

// Reads the first `size` bytes of `path` into `record`, as the resource loader
// does (longer files are accepted). A short or unreadable file, or a record
// whose bit count is 0 or above 1024, throws ToolError.
void ReadKeyRecord(const std::string& path, void* record, std::size_t size);
// Writes `size` bytes to a new file; a secret one is readable by its owner only.
void WriteKeyRecord(const std::string& path, const void* record, std::size_t size, bool secret);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_KEY_RECORD_FILE_H_
