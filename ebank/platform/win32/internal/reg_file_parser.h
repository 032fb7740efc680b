// Parser of registry files in the Windows Registry Editor text format: a
// header line, keys in brackets, and "name"=value lines below each key.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_REG_FILE_PARSER_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_REG_FILE_PARSER_H_

#include <string>
#include <string_view>
#include <vector>

#include "ebank/platform/win32/internal/registry_tree.h"

namespace ebank::platform {

// Lower-cases ASCII letters: key and value names compare case-insensitively.
std::string FoldCase(std::string_view text);

// Parses `text`. A line that cannot be read is skipped and described in
// `problems` as "<file_name>:<line>: <reason>"; the rest still loads. Past
// the 20th such line a last entry "<file_name>: <n> more lines skipped, not
// listed" counts the rest. A key
// deeper than kMaxRegistryKeyDepth below its hive is such a line, and its
// values go with it. Time and memory grow linearly with the text.
RegistryTree ParseRegFile(std::string_view text, std::string_view file_name,
                          std::vector<std::string>* problems);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_REG_FILE_PARSER_H_
