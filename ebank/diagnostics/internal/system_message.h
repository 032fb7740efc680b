// The system's message text for an error code, in the user's default
// language, released when the object ends.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_SYSTEM_MESSAGE_H_
#define EBANK_DIAGNOSTICS_INTERNAL_SYSTEM_MESSAGE_H_

#include "ebank/platform/types.h"

namespace ebank::diagnostics {

class SystemMessage {
 public:
  explicit SystemMessage(DWORD code);
  ~SystemMessage();
  SystemMessage(const SystemMessage&) = delete;
  SystemMessage& operator=(const SystemMessage&) = delete;

  // The text with the system's own line end, or null when it knows none.
  const char* text() const { return text_; }

 private:
  char* text_ = nullptr;
};

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_SYSTEM_MESSAGE_H_
