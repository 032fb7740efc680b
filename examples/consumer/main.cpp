// Uses an installed ebank the way a banking component does: reads an account
// from KONTO XML, checks it, adds two SWIFT amounts and prints the results.
// Exits with 1 when a result is not the expected one.
#include <cstdio>
#include <string>

#include "ebank/ebank.h"

namespace {

std::string Narrow(const ddCOM::BString<wchar_t>& text) {
  std::string narrow;
  for (unsigned i = 0; i < text.Length(); ++i) narrow.push_back(static_cast<char>(text.ByVal()[i]));
  return narrow;
}

bool Expect(const std::string& what, const std::string& actual, const std::string& expected) {
  std::printf("%s: %s\n", what.c_str(), actual.c_str());
  if (actual == expected) return true;
  std::fprintf(stderr, "%s: expected %s\n", what.c_str(), expected.c_str());
  return false;
}

}  // namespace

int main() {
  if (CoInitializeEx(nullptr, COINIT_MULTITHREADED) < 0) return 1;
  bool ok = true;
  {
    CDBAccount account;
    std::wstring xml =
        L"<KONTO><NUMMER>0001234</NUMMER><BLZ>37050198</BLZ><CURRENCY>EUR</CURRENCY></KONTO>";
    account.XmlToKonto(xml.data());
    ok &= Expect("account valid", account.IsKontoValid(true) ? "yes" : "no", "yes");
    ok &= Expect("where-clause", Narrow(account.GetSelectStatement(eREQ_KTONR_BLZ)),
                 "szKtoNummer='0001234' AND  szBlz='37050198'");

    ddCOM::Currency first, second;
    first.ParseSwift(ddCOM::BString<wchar_t>(L"1234,5"));
    second.ParseSwift(ddCOM::BString<wchar_t>(L"0,75"));
    ok &= Expect("sum", Narrow((first + second).Currency2Str()), "1235,25");
  }
  CoUninitialize();
  return ok ? 0 : 1;
}
