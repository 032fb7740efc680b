#include "ebank/platform/msxml/internal/libxml_errors.h"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxslt/security.h>
#include <libxslt/xsltutils.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace ebank::platform::msxml {
namespace {

thread_local ErrorCapture* current_capture = nullptr;

void StructuredHandler(void* context, xmlErrorPtr error) {
  if (context != nullptr) static_cast<ErrorCapture*>(context)->Record(error);
}

// Generic (printf-style) messages of libxml2 and libxslt.
void GenericHandler(void* /*context*/, const char* format, ...) {
  if (current_capture == nullptr) return;
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  current_capture->RecordText(buffer);
}

std::string TrimNewlines(const char* text) {
  std::string result = text != nullptr ? text : "";
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

}  // namespace

void InitializeXmlLibraries() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    xsltSetGenericErrorFunc(nullptr, GenericHandler);
    xsltSecurityPrefsPtr prefs = xsltNewSecurityPrefs();
    for (xsltSecurityOption option :
         {XSLT_SECPREF_READ_FILE, XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY,
          XSLT_SECPREF_READ_NETWORK, XSLT_SECPREF_WRITE_NETWORK}) {
      xsltSetSecurityPrefs(prefs, option, xsltSecurityForbid);
    }
    xsltSetDefaultSecurityPrefs(prefs);  // kept for the life of the process
  });
}

ErrorCapture::ErrorCapture()
    : previous_(current_capture),
      previous_structured_(xmlStructuredError),
      previous_structured_context_(xmlStructuredErrorContext),
      previous_generic_(xmlGenericError),
      previous_generic_context_(xmlGenericErrorContext) {
  InitializeXmlLibraries();
  current_capture = this;
  xmlSetStructuredErrorFunc(this, StructuredHandler);
  xmlSetGenericErrorFunc(nullptr, GenericHandler);
}

ErrorCapture::~ErrorCapture() {
  xmlSetStructuredErrorFunc(previous_structured_context_, previous_structured_);
  xmlSetGenericErrorFunc(previous_generic_context_, previous_generic_);
  current_capture = previous_;
}

void RecordFirstError(const xmlError* error, CapturedError* into) {
  if (into->present || error == nullptr || error->level == XML_ERR_WARNING) return;
  into->present = true;
  into->code = error->code;
  into->message = TrimNewlines(error->message);
  into->file = error->file != nullptr ? error->file : "";
  into->line = error->line;
  into->column = error->int2;
}

void ErrorCapture::Record(const xmlError* error) {
  RecordFirstError(error, &error_);
}

void ErrorCapture::RecordText(const char* text) {
  if (error_.present) return;
  error_.present = true;
  error_.message = TrimNewlines(text);
}

}  // namespace ebank::platform::msxml
