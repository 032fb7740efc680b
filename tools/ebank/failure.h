// Describes the exception being handled (a library exception, a COM error, a
// standard exception or anything else) by its HRESULT and its text.
#ifndef EBANK_TOOLS_EBANK_FAILURE_H_
#define EBANK_TOOLS_EBANK_FAILURE_H_

#include <string>
#include <string_view>

#include "ebank/platform/types.h"

namespace ebank::tool {

struct Failure {
  HRESULT hresult;
  std::string text;  // "ddCOM::Error 0x80004005: the description"
};

// Call only inside a catch block.
Failure DescribeCurrentException();

// A failing HRESULT of a server call with the description of the error object
// the server left on the thread (which is consumed): "0x80004005: text".
std::string DescribeServerFailure(HRESULT hresult);

// Inside a catch block: throws ToolError "<context>: <description>".
[[noreturn]] void FailWithCurrentException(std::string_view context);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_FAILURE_H_
