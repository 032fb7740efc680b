// ddCOM::Decimal: a decimal number held as an OLE VARIANT of type VT_DECIMAL,
// the form in which exact decimal values reach the XML writer.
#ifndef EBANK_CORE_DECIMAL_H_
#define EBANK_CORE_DECIMAL_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

class EBANK_EXPORT Decimal {
 public:
  // Zero.
  Decimal();
  explicit Decimal(const DECIMAL& value);
  // `units` / 10^scale, e.g. (-12345, 2) is -123.45. Raises
  // ddCOM::Exception(E_INVALIDARG) for a scale above 28, the DECIMAL limit.
  Decimal(LONGLONG units, BYTE scale);

  // A VT_DECIMAL owns nothing, so copies are plain copies.
  Decimal(const Decimal& other) = default;
  Decimal& operator=(const Decimal& other) = default;

  const VARIANT& Variant() const { return value_; }
  const DECIMAL& Value() const { return value_.decVal; }

 private:
  void Set(const DECIMAL& value);

  VARIANT value_;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_DECIMAL_H_
