// `ebank account`: reads a KONTO account and shows its fields, validity,
// sender name and the where-clauses that find it in the account table.
#include <string>

#include <CLI/CLI.hpp>

#include "ebank/banking/cdb_account.h"
#include "ebank/xml/xml_class.h"
#include "tools/ebank/account_fields.h"
#include "tools/ebank/command.h"
#include "tools/ebank/failure.h"
#include "tools/ebank/input.h"
#include "tools/ebank/output.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

struct AccountOptions {
  std::string file;
  std::string xml;
};

std::wstring AccountXml(const AccountOptions& options) {
  if (!options.xml.empty()) return Utf8ToWide(options.xml);
  if (options.file.empty()) throw ToolError("name a KONTO file (or -) or give --xml", kExitUsage);
  return Utf8ToWide(ReadInput(options.file));
}

// XmlToKonto quietly reads nothing from a document without a KONTO account;
// the tool says so instead of showing an empty record.
void RequireKonto(std::wstring& xml) {
  bool found = false;
  try {
    const ddXML::CXmlClass document(xml.c_str());
    found = document.isNodeFound(L"/KONTO") || document.isNodeFound(L"/KONTEN/KONTO");
  } catch (...) {
    FailWithCurrentException("the account XML does not parse");
  }
  if (!found) throw ToolError("the XML holds no KONTO account (root KONTO or KONTEN/KONTO)");
}

void PrintValidity(const CDBAccount& account) {
  CDBAccount complete(account);
  CDBAccount lenient(account);
  PrintField("valid (complete check)", YesNo(complete.IsKontoValid(true)));
  PrintField("valid (lenient check)", YesNo(lenient.IsKontoValid(false)));
  PrintField("synchronized", YesNo(account.IsSynchronized()));
}

void PrintWhereClauses(const CDBAccount& account) {
  PrintHeading("where-clauses:");
  PrintField("number, bank code, currency", account.GetSelectStatement(eREQ_KTONR_BLZ_CURRENCY), 2);
  PrintField("number, bank code", account.GetSelectStatement(eREQ_KTONR_BLZ), 2);
  PrintField("database key", account.GetSelectStatement(eREQ_KTOID), 2);
}

int Run(const AccountOptions& options) {
  std::wstring xml = AccountXml(options);
  RequireKonto(xml);
  CDBAccount account;
  try {
    account.XmlToKonto(xml.data());
  } catch (...) {
    FailWithCurrentException("cannot read the account");
  }
  PrintAccountFields(account);
  PrintValidity(account);
  PrintField("sender name", account.GetSenderAccountName());
  PrintWhereClauses(account);
  return 0;
}

}  // namespace

Command AddAccountCommand(CLI::App& app) {
  auto options = std::make_shared<AccountOptions>();
  CLI::App* command = app.add_subcommand(
      "account", "Read a KONTO account: fields, validity, sender name and where-clauses");
  command->add_option("file", options->file, "a file holding KONTO or KONTEN XML; - reads stdin");
  command->add_option("-x,--xml", options->xml, "the KONTO XML text itself");
  return {command, [options] { return Run(*options); }};
}

}  // namespace ebank::tool
