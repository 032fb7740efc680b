#include "tools/ebank/key_record_file.h"

#include <fcntl.h>
#include <sys/types.h>

#include <cstdint>
#include <cstring>

#include "ebank/crypto/internal/rsa_keys.h"
#include "tools/ebank/file_descriptor.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {

void ReadKeyRecord(const std::string& path, void* record, std::size_t size) {
  const FileDescriptor file = FileDescriptor::OpenForReading(path);
  if (file.get() < 0) throw ToolError("cannot read the key file '" + path + "'");
  if (ReadUpTo(file.get(), record, size) != static_cast<ssize_t>(size)) {
    throw ToolError("'" + path + "' is shorter than a key record of " + std::to_string(size) +
                    " bytes");
  }
  std::uint16_t bits = 0;
  std::memcpy(&bits, record, sizeof bits);
  if (bits == 0 || bits > ovEBankCrypto::kMaxModulusBits) {
    throw ToolError("'" + path + "' is not a key record (modulus of " + std::to_string(bits) +
                    " bits)");
  }
}

void WriteKeyRecord(const std::string& path, const void* record, std::size_t size, bool secret) {
  const FileDescriptor file(
      open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, secret ? 0600 : 0644));
  if (file.get() < 0 || !WriteAll(file.get(), record, size)) {
    throw ToolError("cannot write the key file '" + path + "'");
  }
}

}  // namespace ebank::tool
