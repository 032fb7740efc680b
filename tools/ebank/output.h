// The tool's output: aligned "label  value" lines on standard output, errors
// and warnings on standard error, and the hexadecimal form of HRESULTs.
#ifndef EBANK_TOOLS_EBANK_OUTPUT_H_
#define EBANK_TOOLS_EBANK_OUTPUT_H_

#include <string>
#include <string_view>

#include "ebank/platform/types.h"

namespace ebank::tool {

// Prints "<indent><label padded to the column> <value>".
void PrintField(std::string_view label, std::string_view value, int indent = 0);
void PrintField(std::string_view label, const wchar_t* value, int indent = 0);
// Prints `text` as a line of its own, indented.
void PrintLine(std::string_view text, int indent);
// Prints a heading line of its own.
void PrintHeading(std::string_view heading);

// "ebank: <message>" and "ebank: warning: <message>" on standard error. Both
// flush standard output first: standard error is unbuffered, so in a pipe
// that carries both an error would otherwise arrive before the lines printed
// ahead of it.
void PrintError(std::string_view message);
void PrintWarning(std::string_view message);

// "0x80004005", as the trace and the HRESULT tables write it.
std::string HResultText(HRESULT hresult);
// "2008-05-05", or "2008-05-05 14:30:00" with the time of day.
std::string CalendarText(const SYSTEMTIME& time, bool with_time);
// "yes" or "no".
const char* YesNo(bool value);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_OUTPUT_H_
