// rsrc-pack: builds the `.ebank.rsrc` section of a module from a resource list.
//
//   rsrc-pack <list file> <output file>
//
// Each line of the list is one resource (blank lines and lines starting with
// '#' are ignored):
//   xsl <id> <file>       an XSL style sheet, type "XSL", integer name
//   rcdata <name> <file>  binary data, type RT_RCDATA, named (digits: an id)
//   string <id> <text>    entry <id> of the string table (rest of the line)
//   version <text>        the ProductVersion and FileVersion texts
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ebank/platform/win32/internal/resource_format.h"

namespace rsrc = ebank::platform::rsrc;

namespace {

struct Resource {
  std::string type_name;  // empty: type_id
  std::uint32_t type_id = 0;
  std::string name;  // empty: name_id
  std::uint32_t name_id = 0;
  std::vector<std::uint8_t> data;
};

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void SetU32(std::vector<std::uint8_t>& out, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t ParseId(const std::string& text) {
  size_t used = 0;
  const unsigned long id = std::stoul(text, &used);
  if (used != text.size() || id == 0 || id > 0xFFFF) throw std::runtime_error("bad id " + text);
  return static_cast<std::uint32_t>(id);
}

bool IsNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

void CheckName(const std::string& name) {
  if (name.empty() || name.size() > rsrc::kMaxNameLength) {
    throw std::runtime_error("bad resource name '" + name + "'");
  }
}

void AppendText(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

std::vector<std::uint8_t> VersionBlock(const std::string& version) {
  std::vector<std::uint8_t> block(rsrc::kVersionMagic, rsrc::kVersionMagic + 4);
  PutU16(block, rsrc::kVersionFormat);
  PutU16(block, 1);  // translations
  PutU32(block, 2);  // strings
  PutU32(block, 0);  // total size, set below
  PutU16(block, rsrc::kVersionLanguage);
  PutU16(block, rsrc::kVersionCodePage);
  for (const std::string name : {"ProductVersion", "FileVersion"}) {
    PutU16(block, rsrc::kVersionLanguage);
    PutU16(block, rsrc::kVersionCodePage);
    PutU16(block, static_cast<std::uint32_t>(name.size() + 1));
    PutU16(block, static_cast<std::uint32_t>(version.size() + 1));
    AppendText(block, name);
    AppendText(block, version);
  }
  SetU32(block, 12, static_cast<std::uint32_t>(block.size()));
  return block;
}

Resource ParseLine(const std::string& line) {
  std::istringstream words(line);
  std::string kind, key;
  words >> kind;
  Resource resource;
  if (kind == "version") {
    std::getline(words >> std::ws, key);
    if (key.empty() || key.size() > 0xFFFE) throw std::runtime_error("bad version text");
    return {"", rsrc::kVersionType, "", rsrc::kVersionName, VersionBlock(key)};
  }
  words >> key;
  std::string rest;
  std::getline(words >> std::ws, rest);
  if (kind == "xsl") return {"XSL", 0, "", ParseId(key), ReadFile(rest)};
  if (kind == "string")
    return {"", rsrc::kStringType, "", ParseId(key), {rest.begin(), rest.end()}};
  if (kind == "rcdata") {
    if (IsNumber(key)) return {"", rsrc::kRcDataType, "", ParseId(key), ReadFile(rest)};
    CheckName(key);
    return {"", rsrc::kRcDataType, key, 0, ReadFile(rest)};
  }
  throw std::runtime_error("unknown resource kind '" + kind + "'");
}

std::vector<std::uint8_t> Pack(const std::vector<Resource>& resources) {
  std::vector<std::uint8_t> out(rsrc::kSectionMagic, rsrc::kSectionMagic + 4);
  PutU16(out, rsrc::kSectionFormat);
  PutU16(out, 0);
  PutU32(out, static_cast<std::uint32_t>(resources.size()));
  PutU32(out, 0);  // total size, set below
  const size_t table = out.size();
  out.resize(table + resources.size() * rsrc::kEntrySize);
  const auto reference = [&](const std::string& text, std::uint32_t id) {
    if (text.empty()) return id;
    const auto offset = static_cast<std::uint32_t>(out.size());
    AppendText(out, text);
    return offset | rsrc::kNamedReference;
  };
  for (size_t i = 0; i < resources.size(); ++i) {
    const Resource& resource = resources[i];
    const size_t at = table + i * rsrc::kEntrySize;
    SetU32(out, at, reference(resource.type_name, resource.type_id));
    SetU32(out, at + 4, reference(resource.name, resource.name_id));
    SetU32(out, at + 8, 0);  // neutral language
    SetU32(out, at + 12, static_cast<std::uint32_t>(out.size()));
    SetU32(out, at + 16, static_cast<std::uint32_t>(resource.data.size()));
    out.insert(out.end(), resource.data.begin(), resource.data.end());
  }
  SetU32(out, 12, static_cast<std::uint32_t>(out.size()));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rsrc-pack <resource list> <output file>\n";
    return 2;
  }
  try {
    std::ifstream list(argv[1]);
    if (!list) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    std::vector<Resource> resources;
    std::string line;
    for (int number = 1; std::getline(list, line); ++number) {
      if (line.empty() || line[0] == '#') continue;
      try {
        resources.push_back(ParseLine(line));
      } catch (const std::exception& error) {
        throw std::runtime_error(std::string(argv[1]) + ":" + std::to_string(number) + ": " +
                                 error.what());
      }
    }
    const std::vector<std::uint8_t> blob = Pack(resources);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(blob.data()),
              static_cast<std::streamsize>(blob.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "rsrc-pack: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
