#include "tools/ebank/server_registry.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "ebank/banking/orv_txn_db_accounts.h"
#include "ebank/platform/com/guid_string.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

// The server's class id in braces.
std::string ServerClsid() {
  wchar_t text[40];
  StringFromGUID2(CLSID_OrvTxnDB, text, 40);
  return WideToUtf8(text);
}

// A registry string value: backslashes and quotes escaped.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string RegistryText(const std::string& server, const std::optional<TraceSettings>& trace) {
  const std::string clsid = ServerClsid();
  const std::string clsid_key = "[HKEY_CLASSES_ROOT\\CLSID\\" + clsid;
  std::string text = "Windows Registry Editor Version 5.00\n\n";
  text += "[HKEY_CLASSES_ROOT\\Brantel.OrvTxnDB\\CLSID]\n@=" + Quoted(clsid) + "\n\n";
  text += clsid_key + "\\ProgID]\n@=\"Brantel.OrvTxnDB\"\n\n";
  text += clsid_key + "\\InprocServer32]\n@=" + Quoted(server) + "\n";
  if (trace) {
    char mask[16];
    std::snprintf(mask, sizeof mask, "%08x", unsigned{trace->mask});
    text += "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\BRANTEL\\MIRA]\n";
    text += "\"ZEB32DIR\"=" + Quoted(trace->directory) + "\n";
    text += "\"ZEB32DATA\"=" + Quoted(trace->directory) + "\n";
    text += std::string("\"TraceLevel\"=dword:") + mask + "\n";
  }
  return text;
}

}  // namespace

void WriteServerRegistry(const std::string& file, const std::string& server,
                         const std::optional<TraceSettings>& trace) {
  std::ofstream out(file);
  if (!(out << RegistryText(server, trace)) || !out.flush()) {
    throw ToolError("cannot write the registry file '" + file + "'");
  }
  setenv("EBANK_REGISTRY", file.c_str(), 1);
}

}  // namespace ebank::tool
