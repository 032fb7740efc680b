// `ebank demo`: the typical request of a banking component, end to end. It
// makes a fresh SQLite database and a registry in a temporary directory, loads
// sample accounts through the reference server, then reads account XML into
// a record, checks it, finds its database key and lists the accounts, showing
// each step, what ddCOM::Catch makes of a failing one, and the trace file.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include <CLI/CLI.hpp>

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/orv_txn_db_accounts.h"
#include "ebank/banking/orv_txn_db_wrapper.h"
#include "ebank/core/catch.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/win32/debug_output.h"
#include "tools/ebank/account_fields.h"
#include "tools/ebank/account_list.h"
#include "tools/ebank/command.h"
#include "tools/ebank/connect_request_limit.h"
#include "tools/ebank/connection_text.h"
#include "tools/ebank/failure.h"
#include "tools/ebank/input.h"
#include "tools/ebank/output.h"
#include "tools/ebank/server_location.h"
#include "tools/ebank/server_registry.h"
#include "tools/ebank/temp_directory.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

// File entries for every severity, no message boxes.
constexpr DWORD kDemoTraceMask = 0xC;

struct DemoOptions {
  std::string server;
  std::string driver;
  bool keep = false;
};

struct SampleAccount {
  const char* number;
  const char* bank_code;
  const char* description;
  const char* contact_type;
};

constexpr SampleAccount kSampleAccounts[] = {
    {"1234567", "12345678", "Girokonto", "HBCI"},
    {"0815-4711", "12345678", "Tagesgeld", "HBCI"},
    {"9876543210", "87654321", "Sparkonto", "INET"},
};

// The account data that a component receives: the second sample account.
constexpr wchar_t kRequestXml[] =
    L"<KONTO><NUMMER>0815-4711</NUMMER><BLZ>12345678</BLZ><CURRENCY>EUR</CURRENCY>"
    L"<BEZEICHNUNG>Tagesgeld</BEZEICHNUNG><BANKNAME>Musterbank</BANKNAME>"
    L"<CONTACTNAME>Hausbank</CONTACTNAME><CONTACTTYPE>HBCI</CONTACTTYPE>"
    L"<NAME>Erika Mustermann</NAME><CITY>Musterstadt</CITY><CITYCODE>12345</CITYCODE>"
    L"<DATE_LASTDOWNLOAD><DATE YEAR=\"2008\" MONTH=\"05\" DAY=\"05\"/></DATE_LASTDOWNLOAD>"
    L"</KONTO>";

// The same request cut short, as a broken caller might send it.
constexpr wchar_t kMalformedXml[] = L"<KONTO><NUMMER>0815-4711</NUMMER><BLZ>12345678";

// The SQLite ODBC driver: --driver, else the one the build found, else the
// name Debian registers it under.
std::string SqliteDriver(const std::string& chosen) {
  if (!chosen.empty()) return chosen;
#ifdef EBANK_SQLITE_ODBC_DRIVER_PATH
  std::error_code error;
  if (std::filesystem::is_regular_file(EBANK_SQLITE_ODBC_DRIVER_PATH, error)) {
    return EBANK_SQLITE_ODBC_DRIVER_PATH;
  }
#endif
  return "SQLite3";
}

// Debugger output goes nowhere while the demo runs: the trace file shows it.
class QuietDebugOutput {
 public:
  QuietDebugOutput() : previous_(ebank::platform::SetDebugOutputSink([](std::string_view) {})) {}
  QuietDebugOutput(const QuietDebugOutput&) = delete;
  QuietDebugOutput& operator=(const QuietDebugOutput&) = delete;
  ~QuietDebugOutput() { ebank::platform::SetDebugOutputSink(std::move(previous_)); }

 private:
  ebank::platform::DebugOutputSink previous_;
};

// Runs numbered steps as a component's COM method would: a failure is caught
// by a catch-all handler that asks ddCOM::Catch for the HRESULT to return.
class Steps {
 public:
  template <typename Body>
  bool Run(const char* title, Body&& body, bool expect_failure = false) {
    ++number_;
    std::printf("\n[%d] %s\n", number_, title);
    ovEBankHelper::g_TraceInfo("demo step %d: %s", number_, title);
    try {
      body();
      return true;
    } catch (...) {
      const Failure failure = DescribeCurrentException();
      const HRESULT result = ddCOM::Catch(GUID_NULL);
      PrintField("failed", failure.text, 4);
      PrintField("ddCOM::Catch returned", HResultText(result), 4);
      if (!expect_failure) failed_ = true;
      return false;
    }
  }
  bool Failed() const { return failed_; }

 private:
  int number_ = 0;
  bool failed_ = false;
};

void Connect(COrvTxnDBWrapper& database, const std::string& connection) {
  std::wstring dsn = Utf8ToWide(connection);
  std::wstring empty;
  CheckConnectRequestLength({dsn, "the connection string (--driver and the temporary directory)"},
                            {empty, "the user ID"}, {empty, "the password"});
  database.Init(dsn.data(), empty.data(), empty.data());
  const HRESULT result = database.ConnectDB();
  PrintField("ConnectDB returned", HResultText(result), 4);
  if (result != S_OK) throw ToolError("the server refused: " + DescribeServerFailure(result));
}

void AddSample(IOrvTxnDBAccounts& server, const SampleAccount& sample) {
  CDBAccount account(CDBAccount::BString(sample.number), CDBAccount::BString(sample.bank_code),
                     CDBAccount::BString("EUR"));
  account.m_bstrBezeichnung = sample.description;
  account.m_bstrContactType = sample.contact_type;
  account.m_bstrBankName = "Musterbank";
  account.m_bstrName = "Erika Mustermann";
  _bstr_t konto = account.KontoToXmlbStr();
  LONG key = -1;
  const HRESULT result = server.AddAccount(static_cast<wchar_t*>(konto), &key);
  if (result != S_OK) throw ToolError("AddAccount failed: " + DescribeServerFailure(result));
  account.m_lKtoID = key;
  PrintLine(AccountSummary(account), 4);
}

void LoadSamples(COrvTxnDBWrapper& database) {
  IOrvTxnDBAccounts* server = nullptr;
  const HRESULT result =
      database->QueryInterface(IID_IOrvTxnDBAccounts, reinterpret_cast<void**>(&server));
  if (result != S_OK || server == nullptr) {
    throw ToolError("the server cannot store accounts: " + HResultText(result));
  }
  try {
    for (const SampleAccount& sample : kSampleAccounts) AddSample(*server, sample);
  } catch (...) {
    server->Release();
    throw;
  }
  server->Release();
}

void ReadRequest(CDBAccount& account, const wchar_t* xml) {
  std::wstring text = xml;
  account.XmlToKonto(text.data());
  PrintField("number", account.m_bstrNummer, 4);
  PrintField("bank code", account.m_bstrBLZ, 4);
  PrintField("currency", account.m_bstrCurrency, 4);
  PrintField("holder", account.m_bstrName, 4);
  PrintField("last download", CalendarText(account.m_dtLastDownload.GetSYSTEMTIME(), false), 4);
}

void CheckValid(CDBAccount& account) {
  const bool valid = account.IsKontoValid(true);
  PrintField("IsKontoValid(true)", YesNo(valid), 4);
  if (!valid) throw ToolError("the account is not valid");
}

void Find(COrvTxnDBWrapper& database, CDBAccount& account) {
  const LONG key = database.AccountFind(*account.m_bstrNummer.ByRef(), *account.m_bstrBLZ.ByRef());
  PrintField("database key", std::to_string(key), 4);
  if (key == -1) throw ToolError("the server found no such account");
}

void List(COrvTxnDBWrapper& database) {
  const HRESULT result = PrintAccountList(database, 4);
  PrintField("GetAccountList returned", HResultText(result), 4);
  if (result != S_OK) throw ToolError("no account list: " + DescribeServerFailure(result));
}

// The header's component list ends at the first component that is not
// registered, with an ERROR entry of the lookup; here that is the first one.
constexpr char kHeaderListNote[] =
    "\nThe ERROR entry inside the header is the header's own: it lists the versions of the\n"
    "installed banking components in a fixed order and stops at the first one that is not\n"
    "registered. The demo registers only the transaction database server (Brantel.OrvTxnDB),\n"
    "so the list ends at the first component, OrvOnlineBanking.OrvOnline.\n";

void ShowTraceFile(const std::string& path) {
  std::printf("\nThe trace file %s recorded:\n", path.c_str());
  try {
    const std::string trace = ReadInput(path);
    std::fputs(trace.c_str(), stdout);
    if (trace.find("ERROR: CLSID konnte aus der ProgID") != std::string::npos) {
      std::fputs(kHeaderListNote, stdout);
    }
  } catch (const ToolError& error) {
    std::printf("    (%s)\n", error.what());
  }
}

bool RunRequest(const std::string& connection) {
  COrvTxnDBWrapper database;
  CDBAccount account;
  Steps steps;
  const bool ready =
      steps.Run("Create the server by ProgID and connect it (COrvTxnDBWrapper::ConnectDB)",
                [&] { Connect(database, connection); }) &&
      steps.Run("Load sample accounts (the server's AddAccount)", [&] { LoadSamples(database); });
  if (ready) {
    std::printf("\nThe typical request: account XML in\n    %s\n", WideToUtf8(kRequestXml).c_str());
    steps.Run("CDBAccount::XmlToKonto", [&] { ReadRequest(account, kRequestXml); }) &&
        steps.Run("CDBAccount::IsKontoValid", [&] { CheckValid(account); }) &&
        steps.Run("COrvTxnDBWrapper::AccountFind", [&] { Find(database, account); }) &&
        steps.Run("COrvTxnDBWrapper::GetAccountList", [&] { List(database); });
    std::printf("\nA request with malformed XML fails on purpose:\n    %s\n",
                WideToUtf8(kMalformedXml).c_str());
    CDBAccount broken;
    steps.Run(
        "CDBAccount::XmlToKonto", [&] { ReadRequest(broken, kMalformedXml); }, true);
  }
  return !steps.Failed();
}

int Run(const DemoOptions& options) {
  TempDirectory directory("ebank-demo");
  if (options.keep) directory.Keep();
  const std::string server = FindTxnDbServer(options.server);
  const std::string registry = directory.path() + "/registry.reg";
  WriteServerRegistry(registry, server, TraceSettings{directory.path(), kDemoTraceMask});
  const std::string connection =
      "Driver=" + SqliteDriver(options.driver) + ";Database=" + directory.path() + "/ebank.db";
  PrintHeading("ebank demo: a banking component's typical request, end to end");
  PrintField("directory", directory.path());
  PrintField("server", server);
  PrintField("registry", registry);
  PrintField("database", MaskPasswords(connection));
  bool succeeded = false;
  {
    const QuietDebugOutput quiet;
    succeeded = RunRequest(connection);
  }
  ShowTraceFile(directory.path() + "/EBankingTrace.txt");
  if (options.keep) std::printf("\nKept %s\n", directory.path().c_str());
  if (!succeeded) throw ToolError("the demo failed; see the steps above");
  return 0;
}

}  // namespace

Command AddDemoCommand(CLI::App& app) {
  auto options = std::make_shared<DemoOptions>();
  CLI::App* command = app.add_subcommand(
      "demo", "Run a typical request end to end against a fresh SQLite database");
  command->add_option("-s,--server", options->server, kServerOptionHelp);
  command->add_option("--driver", options->driver,
                      "the SQLite ODBC driver: a registered name or a path (default: the one "
                      "found at build time, else SQLite3)");
  command->add_flag("-k,--keep", options->keep, "keep the temporary directory");
  return {command, [options] { return Run(*options); }};
}

}  // namespace ebank::tool
