// ComErrorOf: the HRESULT an operation raises as _com_error, for tests of the
// raising wrappers and smart pointers.
#ifndef EBANK_PLATFORM_COM_TESTING_COM_ERROR_FOR_TESTING_H_
#define EBANK_PLATFORM_COM_TESTING_COM_ERROR_FOR_TESTING_H_

#include "ebank/platform/com/com_error.h"
#include "ebank/platform/hresult.h"

namespace ebank::testing {

// The HRESULT `call` raises as _com_error, or S_OK (0) when it raises nothing.
template <typename Call>
HRESULT ComErrorOf(Call call) {
  try {
    call();
  } catch (const _com_error& error) {
    return error.Error();
  }
  return S_OK;
}

}  // namespace ebank::testing

#endif  // EBANK_PLATFORM_COM_TESTING_COM_ERROR_FOR_TESTING_H_
