// Keeps libxml2 and libxslt diagnostics off standard error and hands the
// first one of an operation to the caller.
//
// libxml2's handlers are per thread, so an ErrorCapture installs its own for
// the lifetime of one operation and restores the previous ones. libxslt's
// handler is process-wide: it is set once, to a function that forwards to the
// capture of the calling thread.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_LIBXML_ERRORS_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_LIBXML_ERRORS_H_

#include <libxml/xmlerror.h>

#include <string>

namespace ebank::platform::msxml {

// The first error reported during an operation.
struct CapturedError {
  bool present = false;
  int code = 0;
  std::string message;  // without the trailing newline
  std::string file;
  int line = 0;
  int column = 0;

  // The message, or `fallback` when no error with a message was reported.
  std::string MessageOr(const std::string& fallback) const {
    return present && !message.empty() ? message : fallback;
  }
};

// Records `error` in `*into` unless an earlier error is held there. Warnings
// are not errors and are left out.
void RecordFirstError(const xmlError* error, CapturedError* into);

// Initialises libxml2 and libxslt once per process: parser globals, the
// libxslt error forwarder, and security settings that forbid style sheets to
// read or write files or the network.
void InitializeXmlLibraries();

class ErrorCapture {
 public:
  ErrorCapture();
  ~ErrorCapture();
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

  const CapturedError& error() const { return error_; }

  // Records `error` unless an earlier one is held (used by the handlers).
  void Record(const xmlError* error);
  void RecordText(const char* text);

 private:
  CapturedError error_;
  ErrorCapture* previous_;
  xmlStructuredErrorFunc previous_structured_;
  void* previous_structured_context_;
  xmlGenericErrorFunc previous_generic_;
  void* previous_generic_context_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_LIBXML_ERRORS_H_
