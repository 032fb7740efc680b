// `ebank trace`: shows the trace mask, the directories and the trace file that
// the registry configures, and what each bit of the mask switches on.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <CLI/CLI.hpp>

#include "ebank/diagnostics/directories.h"
#include "ebank/diagnostics/trace_level.h"
#include "tools/ebank/command.h"
#include "tools/ebank/output.h"

namespace ebank::tool {
namespace {

struct MaskBit {
  DWORD bit;
  const char* meaning;
};

constexpr MaskBit kMaskBits[] = {
    {ovEBankHelper::kTraceBoxError, "message box for ERROR and INFO"},
    {ovEBankHelper::kTraceBoxWarning, "message box for WARNING and INFO"},
    {ovEBankHelper::kTraceFileError, "trace file entry for ERROR and INFO"},
    {ovEBankHelper::kTraceFileWarning, "trace file entry for WARNING and INFO"},
};

std::string RegistryFile() {
  const char* file = std::getenv("EBANK_REGISTRY");
  return file != nullptr ? file : "/etc/ebank/registry.reg";
}

const char* OnOff(bool on) {
  return on ? "on" : "off";
}

void PrintMask(DWORD mask) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%08X (%u)", unsigned{mask}, unsigned{mask});
  PrintField("trace mask (TraceLevel)", text);
  for (const MaskBit& bit : kMaskBits) {
    std::printf("  %-3s 0x%X  %s\n", OnOff((mask & bit.bit) != 0), unsigned{bit.bit}, bit.meaning);
  }
  std::printf("  %-3s any  debugger output (standard error)\n", OnOff(mask != 0));
  if (mask == 0) PrintHeading("Tracing is off: no TraceLevel value, or the value 0.");
}

int Run() {
  PrintField("registry file", RegistryFile());
  PrintField("settings key", "HKEY_LOCAL_MACHINE\\SOFTWARE\\BRANTEL\\MIRA");
  PrintMask(ovEBankHelper::g_getEBankTraceLevel());
  PrintField("installation (ZEB32DIR)", ovEBankHelper::g_getZEBPath());
  const std::string data = ovEBankHelper::g_getZEBDataPath();
  PrintField("data (ZEB32DATA)", data);
  PrintField("trace file", data + "/EBankingTrace.txt");
  return 0;
}

}  // namespace

Command AddTraceCommand(CLI::App& app) {
  CLI::App* command = app.add_subcommand(
      "trace", "Show the trace mask, directories and trace file the registry configures");
  command->footer(
      "The data directory falls back to the installation directory when the registry names "
      "none. A trace file entry is written only when its bit is set.");
  return {command, [] { return Run(); }};
}

}  // namespace ebank::tool
