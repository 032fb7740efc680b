// `ebank amount`: an amount in its SWIFT, display, stream and English (XML)
// forms.
#include <sstream>
#include <string>

#include <CLI/CLI.hpp>

#include "ebank/core/currency.h"
#include "ebank/core/raise.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/xml/xml_class.h"
#include "tools/ebank/command.h"
#include "tools/ebank/failure.h"
#include "tools/ebank/output.h"
#include "tools/ebank/text.h"

namespace ebank::tool {
namespace {

// The language identifier under which XML amounts are written (English).
constexpr LCID kEnglish = 0x0009;

struct AmountOptions {
  std::string text;
  bool swift = false;
};

ddCOM::Currency ParseAmount(const AmountOptions& options) {
  const std::wstring text = Utf8ToWide(options.text);
  try {
    ddCOM::Currency amount;
    if (options.swift) {
      amount.ParseSwift(ddCOM::BString<wchar_t>(text.c_str()));
    } else {
      ddCOM::CheckHResult(
          VarCyFromStr(text.c_str(), kEnglish, LOCALE_NOUSEROVERRIDE, amount.ByRef()));
    }
    return amount;
  } catch (...) {
    FailWithCurrentException("'" + options.text + "' is not an amount");
  }
}

// The amount as an XML document stores it: English notation in a VALUE
// element and the sign in its PREFIX attribute.
std::string EnglishForm(const ddCOM::Currency& amount) {
  ddXML::CXmlClass document;
  document.createRoot(L"AMOUNT");
  document.createElement(L".", L"VALUE", L"0");
  document.createAttribute(L"VALUE", L"PREFIX", "+");
  document.setNodeText(L"VALUE", amount.ByVal());
  return WideToUtf8(static_cast<const wchar_t*>(document.getNode(L"VALUE")->Getxml()));
}

std::string StreamForm(const ddCOM::Currency& amount) {
  std::ostringstream out;
  out << amount;
  return out.str();
}

int Run(const AmountOptions& options) {
  const ddCOM::Currency amount = ParseAmount(options);
  PrintField("raw value (1/10000)", std::to_string(static_cast<long long>(amount)));
  PrintField("SWIFT", amount.GenerateSwift());
  PrintField("display", amount.Currency2Str());
  PrintField("stream", StreamForm(amount));
  PrintField("English (XML)", EnglishForm(amount));
  return 0;
}

}  // namespace

Command AddAmountCommand(CLI::App& app) {
  auto options = std::make_shared<AmountOptions>();
  CLI::App* command = app.add_subcommand(
      "amount", "Show an amount in its SWIFT, display, stream and English (XML) forms");
  command->add_option("amount", options->text, "the amount in English notation (1234.56, -3.456)")
      ->required();
  command->add_flag("--swift", options->swift,
                    "read the amount as a SWIFT text (decimal comma: 1234,56)");
  return {command, [options] { return Run(*options); }};
}

}  // namespace ebank::tool
