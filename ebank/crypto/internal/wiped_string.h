// WipeString: zero-fills the whole buffer of a string, up to its capacity,
// and empties it, for texts that held a secret (a password, a plain text)
// before their memory is freed or reused.
//
// Only the current buffer is wiped: a string that grew past its capacity has
// left earlier copies behind, so secrets go into strings made at full size.
#ifndef EBANK_CRYPTO_INTERNAL_WIPED_STRING_H_
#define EBANK_CRYPTO_INTERNAL_WIPED_STRING_H_

#include <string.h>

#include <string>

namespace ovEBankCrypto {

template <typename Char>
void WipeString(std::basic_string<Char>& text) {
  text.resize(text.capacity());  // never reallocates, and makes the whole buffer ours to write
  explicit_bzero(text.data(), text.size() * sizeof(Char));
  text.clear();
}

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_WIPED_STRING_H_
