#include "ebank/core/decimal.h"

#include "ebank/core/raise.h"
#include "ebank/platform/hresult.h"

namespace ddCOM {
namespace {

constexpr BYTE kMaxScale = 28;

}  // namespace

Decimal::Decimal() : Decimal(DECIMAL{}) {}

Decimal::Decimal(const DECIMAL& value) {
  Set(value);
}

Decimal::Decimal(LONGLONG units, BYTE scale) {
  if (scale > kMaxScale) RaiseHResult(E_INVALIDARG);
  DECIMAL value{};
  value.scale = scale;
  value.sign = units < 0 ? DECIMAL_NEG : 0;
  // The magnitude of the most negative value does not fit a LONGLONG.
  value.Lo64 = units < 0 ? 0 - static_cast<ULONGLONG>(units) : static_cast<ULONGLONG>(units);
  Set(value);
}

void Decimal::Set(const DECIMAL& value) {
  // DECIMAL overlays the whole VARIANT; its reserved word is the type tag.
  value_.decVal = value;
  value_.vt = VT_DECIMAL;
}

}  // namespace ddCOM
