#include "ebank/platform/win32/internal/reg_file_parser.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ebank/platform/win32/registry.h"

namespace ebank::platform {
namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr size_t kMaxKeyNameLength = 255;
// A damaged or hostile file may have a bad line on every other line; the
// first ones tell what is wrong, the rest are only counted.
constexpr size_t kMaxReportedLines = 20;
static_assert(kMaxRegistryKeyDepth == 512, "the report below names the depth");
constexpr std::string_view kTooDeep = "key deeper than 512 levels; line skipped";
constexpr std::string_view kBadName = "bad key name; line skipped";

struct RootName {
  std::string_view spelled;
  std::string_view canonical;
};
constexpr RootName kRoots[] = {
    {"hkey_local_machine", "hkey_local_machine"},
    {"hklm", "hkey_local_machine"},
    {"hkey_classes_root", "hkey_classes_root"},
    {"hkcr", "hkey_classes_root"},
};

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int> HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

// Parses 1 to `max_digits` hexadecimal digits making up all of `text`.
std::optional<DWORD> ParseHex(std::string_view text, size_t max_digits) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  DWORD value = 0;
  for (char c : text) {
    const auto digit = HexDigit(c);
    if (!digit) return std::nullopt;
    value = (value << 4) | static_cast<DWORD>(*digit);
  }
  return value;
}

// Reads a quoted text at the start of `text` (which begins with '"'), undoing
// the \\ and \" escapes; advances `text` past the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  std::string result;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return result;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) ++i;
    result += text[i];
  }
  return std::nullopt;
}

std::optional<std::vector<BYTE>> ParseHexBytes(std::string_view text) {
  std::vector<BYTE> bytes;
  text = Trim(text);
  if (text.empty()) return bytes;
  while (true) {
    const size_t comma = text.find(',');
    const auto byte = ParseHex(Trim(text.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<BYTE>(*byte));
    if (comma == std::string_view::npos) return bytes;
    text.remove_prefix(comma + 1);
  }
}

// Texts in hex(2) and hex(7) values of a version 5 file are UTF-16LE; the
// narrow registry functions hand them out one byte per character.
std::vector<BYTE> NarrowUtf16(const std::vector<BYTE>& bytes) {
  std::vector<BYTE> narrow;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned unit = bytes[i] | (bytes[i + 1] << 8);
    narrow.push_back(unit <= 0xFF ? static_cast<BYTE>(unit) : static_cast<BYTE>('?'));
  }
  return narrow;
}

class Parser {
 public:
  Parser(std::string_view file_name, std::vector<std::string>* problems)
      : file_name_(file_name), problems_(problems) {}

  RegistryTree Run(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    size_t line_number = 0;
    while (!text.empty()) {
      const size_t first_line = line_number + 1;
      std::string logical = TakeLogicalLine(text, line_number);
      if (!ParseLine(Trim(logical), first_line)) return {};
    }
    ReportUnlisted();
    return std::move(tree_);
  }

 private:
  // One line, joined with the following ones while it ends in a backslash
  // (long hex values are written that way).
  static std::string TakeLogicalLine(std::string_view& text, size_t& line_number) {
    std::string logical;
    while (!text.empty()) {
      const size_t end = text.find('\n');
      std::string_view line = Trim(text.substr(0, end));
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      ++line_number;
      const bool continued = line.ends_with('\\') && !line.starts_with('[');
      if (continued) line.remove_suffix(1);
      logical += Trim(line);
      if (!continued) break;
    }
    return logical;
  }

  // Returns false when the whole file must be rejected.
  bool ParseLine(std::string_view line, size_t number) {
    if (line.empty() || line.front() == ';') return true;
    if (!header_seen_) {
      header_seen_ = true;
      unicode_ = line == kHeader5;
      if (line == kHeader4 || unicode_) return true;
      Report(number, "missing registry file header; file ignored");
      return false;
    }
    if (line.front() == '[') {
      ParseKeyLine(line, number);
    } else if (line.front() == '"' || line.front() == '@') {
      ParseValueLine(line, number);
    } else {
      Report(number, "unrecognised line; line skipped");
    }
    return true;
  }

  void ParseKeyLine(std::string_view line, size_t number) {
    current_ = nullptr;
    in_bad_key_ = true;
    if (!line.ends_with(']')) return Report(number, "key without closing bracket; line skipped");
    line = line.substr(1, line.size() - 2);
    const bool remove = line.starts_with('-');
    if (remove) line.remove_prefix(1);
    std::vector<std::string> names;
    if (const auto problem = ReadKeyNames(line, names)) return Report(number, *problem);
    if (remove) return RemoveKey(names);
    current_ = &AddKey(names);
    in_bad_key_ = false;
  }

  void ParseValueLine(std::string_view line, size_t number) {
    // The values of a key that was skipped or removed go with it, unreported.
    if (in_bad_key_) return;
    if (current_ == nullptr) return Report(number, "value outside a key; line skipped");
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      auto quoted = TakeQuoted(line);
      if (!quoted) return Report(number, "unterminated value name; line skipped");
      name = FoldCase(*quoted);
    }
    line = Trim(line);
    if (!line.starts_with('=')) return Report(number, "missing '='; line skipped");
    line = Trim(line.substr(1));
    RegistryValues& values = current_->values;
    if (line == "-") {
      values.erase(name);
      return;
    }
    auto value = ParseData(line);
    if (!value) return Report(number, "bad value data; line skipped");
    values[name] = std::move(*value);
  }

  std::optional<RegistryValue> ParseData(std::string_view data) const {
    if (data.starts_with('"')) {
      auto text = TakeQuoted(data);
      if (!text || !Trim(data).empty()) return std::nullopt;
      RegistryValue value{REG_SZ, std::vector<BYTE>(text->begin(), text->end())};
      value.data.push_back(0);
      return value;
    }
    if (data.starts_with("dword:")) {
      const auto number = ParseHex(data.substr(6), 8);
      if (!number) return std::nullopt;
      RegistryValue value{REG_DWORD, std::vector<BYTE>(4)};
      for (int i = 0; i < 4; ++i) value.data[i] = static_cast<BYTE>(*number >> (8 * i));
      return value;
    }
    return ParseHexData(data);
  }

  std::optional<RegistryValue> ParseHexData(std::string_view data) const {
    DWORD type = REG_BINARY;
    if (data.starts_with("hex(")) {
      const size_t close = data.find("):");
      if (close == std::string_view::npos) return std::nullopt;
      const auto number = ParseHex(data.substr(4, close - 4), 8);
      if (!number) return std::nullopt;
      type = *number;
      data.remove_prefix(close + 2);
    } else if (data.starts_with("hex:")) {
      data.remove_prefix(4);
    } else {
      return std::nullopt;
    }
    auto bytes = ParseHexBytes(data);
    if (!bytes) return std::nullopt;
    if (unicode_ && (type == REG_EXPAND_SZ || type == REG_MULTI_SZ)) *bytes = NarrowUtf16(*bytes);
    return RegistryValue{type, std::move(*bytes)};
  }

  // Reads the folded names of a key's path into `names`, the hive's full name
  // first; gives why the line is skipped, or nothing. Reading stops at the
  // first name too deep, so a hostile path costs no more than a legal one.
  static std::optional<std::string_view> ReadKeyNames(std::string_view path,
                                                      std::vector<std::string>& names) {
    const size_t slash = path.find('\\');
    const std::string root = FoldCase(path.substr(0, slash));
    const auto known = std::find_if(std::begin(kRoots), std::end(kRoots),
                                    [&](const RootName& r) { return r.spelled == root; });
    if (known == std::end(kRoots)) return kBadName;
    names.emplace_back(known->canonical);
    path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
    while (!path.empty()) {  // a trailing backslash ends the path
      if (names.size() > kMaxRegistryKeyDepth) return kTooDeep;
      const size_t next = path.find('\\');
      const std::string_view name = path.substr(0, next);
      if (name.empty() || name.size() > kMaxKeyNameLength) return kBadName;
      names.push_back(FoldCase(name));
      path.remove_prefix(next == std::string_view::npos ? path.size() : next + 1);
    }
    return std::nullopt;
  }

  // The key with these names, made along with its missing parents.
  RegistryKey& AddKey(const std::vector<std::string>& names) {
    RegistryKey* key = &tree_;
    for (const std::string& name : names) {
      std::unique_ptr<RegistryKey>& subkey = key->subkeys[name];
      if (!subkey) subkey = std::make_unique<RegistryKey>();
      key = subkey.get();
    }
    return *key;
  }

  // Drops the key with its subkeys; a key that does not exist is no error.
  void RemoveKey(const std::vector<std::string>& names) {
    RegistryKey* parent = &tree_;
    for (size_t i = 0; i + 1 < names.size(); ++i) {
      const auto found = parent->subkeys.find(names[i]);
      if (found == parent->subkeys.end()) return;
      parent = found->second.get();
    }
    parent->subkeys.erase(names.back());
  }

  void Report(size_t number, std::string_view reason) {
    if (problems_ == nullptr) return;
    if (++reported_ > kMaxReportedLines) return;
    problems_->push_back(std::string(file_name_) + ":" + std::to_string(number) + ": " +
                         std::string(reason));
  }

  void ReportUnlisted() {
    if (problems_ == nullptr || reported_ <= kMaxReportedLines) return;
    problems_->push_back(std::string(file_name_) + ": " +
                         std::to_string(reported_ - kMaxReportedLines) +
                         " more lines skipped, not listed");
  }

  std::string_view file_name_;
  std::vector<std::string>* problems_;
  size_t reported_ = 0;
  RegistryTree tree_;
  RegistryKey* current_ = nullptr;
  bool in_bad_key_ = false;
  bool header_seen_ = false;
  bool unicode_ = false;
};

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

RegistryTree ParseRegFile(std::string_view text, std::string_view file_name,
                          std::vector<std::string>* problems) {
  return Parser(file_name, problems).Run(text);
}

}  // namespace ebank::platform
