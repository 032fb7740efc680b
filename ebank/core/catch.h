// The catch routine of a COM method boundary: classifies the exception being
// handled, traces it and yields the HRESULT the method returns.
#ifndef EBANK_CORE_CATCH_H_
#define EBANK_CORE_CATCH_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

// Call from a catch-all handler, given the component's CLSID (unused):
//   ddCOM::Exception -> WARNING "ddCOM::Exception 0x%x: %s", E_FAIL
//   std::exception   -> ERROR "STL Exception (E_FAIL): %s", E_FAIL
//   _com_error       -> ERROR "COM Exception 0x%x: %s", E_FAIL
//   anything else    -> ERROR "Unknown Exception (E_UNEXPECTED)", E_UNEXPECTED
// Sets no COM error object and never throws. Called while no exception is
// being handled, it answers like the last case.
EBANK_EXPORT LONG Catch(const GUID& clsid);

}  // namespace ddCOM

#endif  // EBANK_CORE_CATCH_H_
