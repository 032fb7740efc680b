// Parser of registry files in the Windows Registry Editor text format: a
// header line, keys in brackets, and "name"=value lines below each key.
#ifndef EBANK_PLATFORM_WIN32_REG_FILE_PARSER_H_
#define EBANK_PLATFORM_WIN32_REG_FILE_PARSER_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ebank/platform/types.h"

namespace ebank::platform {

struct RegistryValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};

// The values of one key by folded name; the default value has the name "".
using RegistryValues = std::unordered_map<std::string, RegistryValue>;
// Every key by its folded full path, root spelled out
// ("hkey_local_machine\software\x"); parents of a key exist too.
using RegistryTree = std::unordered_map<std::string, RegistryValues>;

// Lower-cases ASCII letters: key and value names compare case-insensitively.
std::string FoldCase(std::string_view text);

// Parses `text`. A line that cannot be read is skipped and described in
// `problems` as "<file_name>:<line>: <reason>"; the rest still loads.
RegistryTree ParseRegFile(std::string_view text, std::string_view file_name,
                          std::vector<std::string>* problems);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_REG_FILE_PARSER_H_
