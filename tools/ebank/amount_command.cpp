// `ebank amount`: an amount in its SWIFT, display, stream and English (XML)
// forms.
#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>

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
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

// The language identifier under which XML amounts are written (English).
constexpr LCID kEnglish = 0x0009;

struct AmountOptions {
  std::string text;
  bool swift = false;
};

// Whether every comma of an English amount stands where English notation
// groups digits: in the whole units, with three digits in each group after the
// first (1,234,567.5). The parser takes a comma anywhere among the digits, so
// 1234,5, meant with a decimal comma, would read as 12345.
bool CommasGroupThousands(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return true;
  const std::size_t first_digit = text.find_first_of("0123456789");
  if (first_digit > comma) return false;
  const std::size_t end = std::min(text.find_first_not_of("0123456789,", first_digit), text.size());
  if (text.find(',', end) != std::string_view::npos) return false;
  std::size_t group_start = first_digit;
  for (std::size_t next = text.find(',', group_start); next < end;
       next = text.find(',', group_start)) {
    const std::size_t length = next - group_start;
    if (group_start == first_digit ? length < 1 || length > 3 : length != 3) return false;
    group_start = next + 1;
  }
  return end - group_start == 3;
}

ddCOM::Currency ParseAmount(const AmountOptions& options) {
  if (!options.swift && !CommasGroupThousands(options.text)) {
    throw ToolError("'" + options.text +
                    "' has a comma out of place: English notation groups whole units in threes "
                    "(1,234.5); for a decimal comma give --swift");
  }
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
  command
      ->add_option("amount", options->text,
                   "the amount in English notation (1234.56, 1,234.56, -3.456); commas only "
                   "group thousands")
      ->required();
  command->add_flag("--swift", options->swift,
                    "read the amount as a SWIFT text (decimal comma: 1234,56)");
  return {command, [options] { return Run(*options); }};
}

}  // namespace ebank::tool
