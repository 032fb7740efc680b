// Attempt: runs one operation of a fuzzed object and absorbs the exceptions
// the library documents for bad input, so that only a crash, a sanitizer
// report or a failed check ends the run.
#ifndef EBANK_FUZZ_ATTEMPT_H_
#define EBANK_FUZZ_ATTEMPT_H_

#include <exception>

#include "ebank/platform/com/com_error.h"

namespace ebank::fuzz {

// False when `operation` raised std::exception (ddCOM's exceptions included)
// or _com_error.
template <typename Operation>
bool Attempt(Operation operation) {
  try {
    operation();
    return true;
  } catch (const std::exception&) {
  } catch (const _com_error&) {
  }
  return false;
}

}  // namespace ebank::fuzz

#endif  // EBANK_FUZZ_ATTEMPT_H_
