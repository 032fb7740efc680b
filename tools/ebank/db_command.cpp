// `ebank db`: finds and lists accounts through the transaction database
// wrapper, against a data source name or an ODBC connection string.
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "ebank/banking/orv_txn_db_wrapper.h"
#include "ebank/core/bstring.h"
#include "tools/ebank/account_list.h"
#include "tools/ebank/command.h"
#include "tools/ebank/connect_request_limit.h"
#include "tools/ebank/connection_text.h"
#include "tools/ebank/failure.h"
#include "tools/ebank/output.h"
#include "tools/ebank/server_location.h"
#include "tools/ebank/server_registry.h"
#include "tools/ebank/temp_directory.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

struct DbOptions {
  std::string dsn;
  std::string uid;
  std::string pwd;
  std::string number;
  std::string bank_code;
  bool list = false;
  std::string server;
  bool registered = false;
};

void Connect(COrvTxnDBWrapper& database, const DbOptions& options) {
  std::wstring dsn = Utf8ToWide(options.dsn);
  std::wstring uid = Utf8ToWide(options.uid);
  std::wstring pwd = Utf8ToWide(options.pwd);
  CheckConnectRequestLength({dsn, "the data source (--dsn)"}, {uid, "the user ID (--uid)"},
                            {pwd, "the password (--pwd)"});
  database.Init(dsn.data(), uid.data(), pwd.data());
  const HRESULT result = database.ConnectDB();
  if (result != S_OK) {
    throw ToolError("cannot connect to '" + MaskPasswords(options.dsn) +
                    "': " + DescribeServerFailure(result));
  }
}

int Find(COrvTxnDBWrapper& database, const DbOptions& options) {
  ddCOM::BString<wchar_t> number(Utf8ToWide(options.number).c_str());
  ddCOM::BString<wchar_t> bank_code(Utf8ToWide(options.bank_code).c_str());
  const LONG key = database.AccountFind(*number.ByRef(), *bank_code.ByRef());
  if (key == -1) {
    throw ToolError("no EUR account " + options.number + " at bank code " + options.bank_code);
  }
  PrintField("database key", std::to_string(key));
  return 0;
}

int List(COrvTxnDBWrapper& database) {
  const HRESULT result = PrintAccountList(database, 0);
  if (result < 0) throw ToolError("the account list failed: " + DescribeServerFailure(result));
  if (result != S_OK) throw ToolError("the server's answer holds no KONTEN list");
  return 0;
}

int Run(const DbOptions& options) {
  std::optional<TempDirectory> registry_directory;
  if (!options.registered) {
    registry_directory.emplace("ebank-db");
    WriteServerRegistry(registry_directory->path() + "/registry.reg",
                        FindTxnDbServer(options.server), std::nullopt);
  }
  COrvTxnDBWrapper database;
  Connect(database, options);
  const bool find = !options.number.empty();
  if (find && options.bank_code.empty()) throw ToolError("--find needs --blz", kExitUsage);
  const int code = find ? Find(database, options) : 0;
  return options.list || !find ? List(database) : code;
}

}  // namespace

Command AddDbCommand(CLI::App& app) {
  auto options = std::make_shared<DbOptions>();
  CLI::App* command =
      app.add_subcommand("db", "Find and list accounts through the transaction database server");
  command
      ->add_option("-d,--dsn", options->dsn,
                   "an ODBC data source name, or a connection string such as "
                   "\"Driver=SQLite3;Database=/path/ebank.db\"")
      ->required();
  command->add_option("-u,--uid", options->uid, "the user ID");
  command->add_option("-p,--pwd", options->pwd, "the password")->envname("EBANK_DB_PWD");
  command->add_option("-f,--find", options->number, "find the EUR account with this number");
  command->add_option("-b,--blz", options->bank_code, "the bank code of the account to find");
  command->add_flag("-l,--list", options->list, "list all accounts (the default without --find)");
  command->add_option("-s,--server", options->server, kServerOptionHelp);
  command->add_flag("--registered", options->registered,
                    "use the server that the registry registers for Brantel.OrvTxnDB");
  return {command, [options] { return Run(*options); }};
}

}  // namespace ebank::tool
