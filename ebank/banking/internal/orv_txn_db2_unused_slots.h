// UnusedOrvTxnDB2Slots: the methods of IOrvTxnDB2 this library never calls,
// each answering E_NOTIMPL, for servers and test doubles that implement only
// Connect, Disconnect, GetAccounts and FindAccount.
#ifndef EBANK_BANKING_INTERNAL_ORV_TXN_DB2_UNUSED_SLOTS_H_
#define EBANK_BANKING_INTERNAL_ORV_TXN_DB2_UNUSED_SLOTS_H_

#include "ebank/banking/orv_txn_db2.h"

namespace ebank::banking {

// `Interface` is IOrvTxnDB2 or an interface derived from it.
template <class Interface>
class UnusedOrvTxnDB2Slots : public Interface {
 public:
#define EBANK_UNUSED_SLOT(slot)            \
  STDMETHODIMP Reserved##slot() override { \
    return E_NOTIMPL;                      \
  }
  EBANK_UNUSED_SLOT(9)
  EBANK_UNUSED_SLOT(10)
  EBANK_UNUSED_SLOT(11)
  EBANK_UNUSED_SLOT(12)
  EBANK_UNUSED_SLOT(13)
  EBANK_UNUSED_SLOT(14)
  EBANK_UNUSED_SLOT(15)
  EBANK_UNUSED_SLOT(16)
  EBANK_UNUSED_SLOT(17)
  EBANK_UNUSED_SLOT(18)
  EBANK_UNUSED_SLOT(19)
  EBANK_UNUSED_SLOT(20)
  EBANK_UNUSED_SLOT(21)
  EBANK_UNUSED_SLOT(22)
  EBANK_UNUSED_SLOT(23)
  EBANK_UNUSED_SLOT(24)
  EBANK_UNUSED_SLOT(25)
  EBANK_UNUSED_SLOT(26)
  EBANK_UNUSED_SLOT(27)
  EBANK_UNUSED_SLOT(28)
  EBANK_UNUSED_SLOT(29)
  EBANK_UNUSED_SLOT(30)
  EBANK_UNUSED_SLOT(31)
  EBANK_UNUSED_SLOT(32)
  EBANK_UNUSED_SLOT(33)
  EBANK_UNUSED_SLOT(34)
  EBANK_UNUSED_SLOT(35)
  EBANK_UNUSED_SLOT(36)
  EBANK_UNUSED_SLOT(38)
  EBANK_UNUSED_SLOT(39)
  EBANK_UNUSED_SLOT(40)
  EBANK_UNUSED_SLOT(41)
#undef EBANK_UNUSED_SLOT
};

}  // namespace ebank::banking

#endif  // EBANK_BANKING_INTERNAL_ORV_TXN_DB2_UNUSED_SLOTS_H_
