#include "ebank/diagnostics/internal/file_header.h"

#include <string>

#include "ebank/diagnostics/directories.h"
#include "ebank/diagnostics/internal/bounded_line.h"
#include "ebank/diagnostics/internal/clock_text.h"
#include "ebank/diagnostics/internal/inproc_server_path.h"
#include "ebank/diagnostics/internal/own_module.h"
#include "ebank/diagnostics/internal/product_version.h"
#include "ebank/diagnostics/internal/registry_key.h"
#include "ebank/platform/win32/internal/saved_last_error.h"
#include "ebank/platform/win32/module.h"

namespace ebank::diagnostics {
namespace {

constexpr char kStars[] =
    "**********************************************************************************************"
    "******\n";
static_assert(sizeof(kStars) == 102);

constexpr std::size_t kDirectoryLineSize = 1024;
constexpr DWORD kRegistryVersionSize = 32;
constexpr std::size_t kRegistryVersionLineSize = 252;
constexpr std::size_t kComponentLineSize = 512;
constexpr DWORD kModulePathSize = 260;
// Module paths are cut or padded to this width, so "Versionsnummer" starts in
// the same column on every component line.
constexpr int kModuleColumnWidth = 70;

// The in-process servers whose versions the header reports, in this order.
constexpr const wchar_t* kComponents[] = {
    L"OrvOnlineBanking.OrvOnline",
    L"Brantel.OrvBtx",
    L"Brantel.OrvTxnDB",
    L"Brantel.OrvTxnProcessing",
    L"OrvTxnPrintAndDTA.OrvTxnUeberweisung",
    L"OrvScreenScraping.OrvScrapeAdmin",
    L"DataDesign.BACBanking",
    L"DataDesign.BACHbciSvc",
    L"DataDesign.BACDTAUSFile",
    L"DataDesign.BACSwift",
    L"DataDesign.BACFinTS4Adapter",
    L"DataDesign.BACSecurityDDV",
    L"DataDesign.BACSecurityRDH",
    L"DataDesign.BACSecurityTAN",
    L"DataDesign.BACTransportTCPIP",
    L"DataDesign.BACTransportHTTP",
};

void WriteRegistryVersionLine(std::FILE* stream) {
  char version[kRegistryVersionSize];
  if (RegistryKey::Settings().ReadTextCut("Version", version, sizeof(version))) {
    WriteBoundedLine(stream, kRegistryVersionLineSize, "Versionsnummer in Registry: %s\n", version);
  }
}

// A module without a product version gets no line.
void WriteComponentVersionLine(std::FILE* stream, const char* module_path) {
  std::string version;
  if (!GetModuleProductVersion(module_path, &version)) return;
  WriteBoundedLine(stream, kComponentLineSize, "%-*.*s Versionsnummer: %s\n", kModuleColumnWidth,
                   kModuleColumnWidth, module_path, version.c_str());
}

void WriteOwnVersionLine(std::FILE* stream) {
  const HINSTANCE own = OwnModuleHandle();
  char path[kModulePathSize];
  if (own != nullptr && GetModuleFileNameA(own, path, sizeof(path)) != 0) {
    WriteComponentVersionLine(stream, path);
  }
}

void WriteComponentVersionLines(std::FILE* stream) {
  for (const wchar_t* prog_id : kComponents) {
    char server_path[kServerPathSize];
    if (!ResolveInprocServerPath(prog_id, server_path)) return;
    WriteComponentVersionLine(stream, server_path);
  }
}

}  // namespace

void WriteFileHeader(std::FILE* stream) {
  // The entry that opened the file reports its caller's last error, not one
  // the header's lookups left.
  const platform::SavedLastError keep_callers_error;
  std::fputs(kStars, stream);
  char date[kClockTextSize];
  FormatDate(date);
  WriteBoundedLine(stream, kDirectoryLineSize, "Datum: %s\n", date);
  WriteBoundedLine(stream, kDirectoryLineSize, "Installationsverzeichnis: %s\n",
                   ovEBankHelper::g_getZEBPath());
  WriteBoundedLine(stream, kDirectoryLineSize, "Datenverzeichnis: %s\n",
                   ovEBankHelper::g_getZEBDataPath());
  WriteRegistryVersionLine(stream);
  std::fputs("\n", stream);
  WriteOwnVersionLine(stream);
  WriteComponentVersionLines(stream);
  std::fputs(kStars, stream);
}

}  // namespace ebank::diagnostics
