// EBANK_FUZZ_CHECK: a property a fuzzer verifies on every input. A failed one
// prints the condition and its place and aborts, which libFuzzer reports as a
// finding with the input that caused it.
#ifndef EBANK_FUZZ_FUZZ_CHECK_H_
#define EBANK_FUZZ_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

#define EBANK_FUZZ_CHECK(condition)                                                      \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

#endif  // EBANK_FUZZ_FUZZ_CHECK_H_
