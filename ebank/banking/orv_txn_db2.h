// IOrvTxnDB2, the interface of the module's transaction database server.
//
// The library calls Connect, Disconnect, GetAccounts and FindAccount; the other
// methods of the server are declared as placeholders so that every method keeps
// its vtable slot.
#ifndef EBANK_BANKING_ORV_TXN_DB2_H_
#define EBANK_BANKING_ORV_TXN_DB2_H_

#include "ebank/core/iptr.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

struct IOrvTxnDB2 : IDispatch {
  STDMETHOD(Connect)(BSTR request) = 0;                       // slot 7
  STDMETHOD(Disconnect)() = 0;                                // slot 8
  STDMETHOD(Reserved9)() = 0;                                 // slot 9
  STDMETHOD(Reserved10)() = 0;                                // slot 10
  STDMETHOD(Reserved11)() = 0;                                // slot 11
  STDMETHOD(Reserved12)() = 0;                                // slot 12
  STDMETHOD(Reserved13)() = 0;                                // slot 13
  STDMETHOD(Reserved14)() = 0;                                // slot 14
  STDMETHOD(Reserved15)() = 0;                                // slot 15
  STDMETHOD(Reserved16)() = 0;                                // slot 16
  STDMETHOD(Reserved17)() = 0;                                // slot 17
  STDMETHOD(Reserved18)() = 0;                                // slot 18
  STDMETHOD(Reserved19)() = 0;                                // slot 19
  STDMETHOD(Reserved20)() = 0;                                // slot 20
  STDMETHOD(Reserved21)() = 0;                                // slot 21
  STDMETHOD(Reserved22)() = 0;                                // slot 22
  STDMETHOD(Reserved23)() = 0;                                // slot 23
  STDMETHOD(Reserved24)() = 0;                                // slot 24
  STDMETHOD(Reserved25)() = 0;                                // slot 25
  STDMETHOD(Reserved26)() = 0;                                // slot 26
  STDMETHOD(Reserved27)() = 0;                                // slot 27
  STDMETHOD(Reserved28)() = 0;                                // slot 28
  STDMETHOD(Reserved29)() = 0;                                // slot 29
  STDMETHOD(Reserved30)() = 0;                                // slot 30
  STDMETHOD(Reserved31)() = 0;                                // slot 31
  STDMETHOD(Reserved32)() = 0;                                // slot 32
  STDMETHOD(Reserved33)() = 0;                                // slot 33
  STDMETHOD(Reserved34)() = 0;                                // slot 34
  STDMETHOD(Reserved35)() = 0;                                // slot 35
  STDMETHOD(Reserved36)() = 0;                                // slot 36
  STDMETHOD(GetAccounts)(LONG selector, BSTR* accounts) = 0;  // slot 37
  STDMETHOD(Reserved38)() = 0;                                // slot 38
  STDMETHOD(Reserved39)() = 0;                                // slot 39
  STDMETHOD(Reserved40)() = 0;                                // slot 40
  STDMETHOD(Reserved41)() = 0;                                // slot 41
  STDMETHOD(FindAccount)(BSTR konto, LONG* key) = 0;          // slot 42
};

extern "C" EBANK_EXPORT const IID IID_IOrvTxnDB2;

namespace ddCOM {
extern template class EBANK_EXPORT IPtr<IOrvTxnDB2, &IID_IOrvTxnDB2>;
}  // namespace ddCOM

#endif  // EBANK_BANKING_ORV_TXN_DB2_H_
