// `ebank date`: parses a fixed-layout digit text into a date and formats it
// with the automation format engine.
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ebank/core/date.h"
#include "tools/ebank/command.h"
#include "tools/ebank/failure.h"
#include "tools/ebank/output.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

struct DateOptions {
  std::string text;
  std::string layout = "YYYYMMDDHHMMSS";
  std::vector<std::string> formats{"dd.mm.yyyy hh:nn:ss", "dddd, d. mmmm yyyy"};
};

// ParseFormat keeps the date's old value when the digits name no day of the
// calendar (30 February, month 0, or a text too short for the date fields),
// so the old value is one that no parse can give: then the text is no date.
ddCOM::Date Parse(const DateOptions& options) {
  if (options.text.empty()) throw ToolError("the date text is empty");
  const std::wstring text = Utf8ToWide(options.text);
  const std::wstring layout = Utf8ToWide(options.layout);
  ddCOM::Date date(std::numeric_limits<double>::quiet_NaN());
  try {
    date.ParseFormat(text.c_str(), layout.c_str());
  } catch (...) {
    FailWithCurrentException("'" + options.text + "' does not fit the layout '" + options.layout +
                             "'");
  }
  if (std::isnan(static_cast<double>(date))) {
    throw ToolError("'" + options.text + "' is no date: with the layout '" + options.layout +
                    "' it names no calendar day and time (years 100 to 9999; fields beyond the "
                    "end of the text count as 0)");
  }
  return date;
}

std::string FormatText(const ddCOM::Date& date, const std::string& format) {
  try {
    return WideToUtf8(date.Format(ddCOM::BString<wchar_t>(Utf8ToWide(format).c_str())));
  } catch (...) {
    FailWithCurrentException("cannot format with '" + format + "'");
  }
}

int Run(const DateOptions& options) {
  const ddCOM::Date date = Parse(options);
  char value[32];
  std::snprintf(value, sizeof value, "%.9f", static_cast<double>(date));
  PrintField("DATE value", value);
  PrintField("calendar", CalendarText(date.GetSYSTEMTIME(), true));
  for (const std::string& format : options.formats) {
    PrintField("format \"" + format + "\"", FormatText(date, format));
  }
  return 0;
}

}  // namespace

Command AddDateCommand(CLI::App& app) {
  auto options = std::make_shared<DateOptions>();
  CLI::App* command =
      app.add_subcommand("date", "Parse a fixed-layout date text and format the date");
  command->add_option("text", options->text, "the date text, such as 20080505 or 20080505143000")
      ->required();
  command
      ->add_option("-l,--layout", options->layout,
                   "the layout: Y, M, D, H, S take one digit each, other characters skip "
                   "one (dd.mm.yyyy)")
      ->capture_default_str();
  command
      ->add_option("-f,--format", options->formats,
                   "an output format of the automation format engine (repeatable)")
      ->capture_default_str();
  return {command, [options] { return Run(*options); }};
}

}  // namespace ebank::tool
