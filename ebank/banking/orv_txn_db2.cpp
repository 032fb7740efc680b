#include "ebank/banking/orv_txn_db2.h"

// {4C557799-55BE-487B-A3F0-72BA760AD7E0}
extern "C" EBANK_EXPORT const IID IID_IOrvTxnDB2 = {
    0x4C557799, 0x55BE, 0x487B, {0xA3, 0xF0, 0x72, 0xBA, 0x76, 0x0A, 0xD7, 0xE0}};

namespace ddCOM {
template class IPtr<IOrvTxnDB2, &IID_IOrvTxnDB2>;
}  // namespace ddCOM
