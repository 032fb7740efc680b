#include "ebank/platform/com/variant_t.h"

#include <utility>

#include "ebank/platform/com/com_issue_error.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/variant.h"

namespace {

void Check(HRESULT hresult) {
  if (FAILED(hresult)) _com_issue_error(hresult);
}

}  // namespace

_variant_t::_variant_t() noexcept {
  VariantInit(this);
}

_variant_t::_variant_t(const VARIANT& source) : _variant_t() {
  Check(VariantCopy(this, &source));
}

_variant_t::_variant_t(const _variant_t& source)
    : _variant_t(static_cast<const VARIANT&>(source)) {}

_variant_t::_variant_t(_variant_t&& source) noexcept : VARIANT(source.Detach()) {}

_variant_t::_variant_t(VARIANT& source, bool copy) : _variant_t() {
  if (copy) {
    Check(VariantCopy(this, &source));
  } else {
    Attach(source);
  }
}

_variant_t::_variant_t(LONG value, VARTYPE vt) : _variant_t() {
  switch (vt) {
    case VT_I4:
      lVal = value;
      break;
    case VT_ERROR:
      scode = value;
      break;
    case VT_BOOL:
      boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    default:
      _com_issue_error(E_INVALIDARG);
  }
  this->vt = vt;
}

_variant_t::_variant_t(double value, VARTYPE vt) : _variant_t() {
  if (vt != VT_R8 && vt != VT_DATE) _com_issue_error(E_INVALIDARG);
  dblVal = value;
  this->vt = vt;
}

_variant_t::_variant_t(const CY& value) noexcept : _variant_t() {
  cyVal = value;
  vt = VT_CY;
}

_variant_t::_variant_t(const DECIMAL& value) noexcept : _variant_t() {
  // The DECIMAL overlays the whole VARIANT; its reserved word is the type.
  decVal = value;
  vt = VT_DECIMAL;
}

_variant_t::_variant_t(bool value) noexcept : _variant_t() {
  boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  vt = VT_BOOL;
}

_variant_t::_variant_t(const wchar_t* value) : _variant_t() {
  BSTR copy = SysAllocString(value);
  if (copy == nullptr && value != nullptr) _com_issue_error(E_OUTOFMEMORY);
  bstrVal = copy;
  vt = VT_BSTR;
}

_variant_t::_variant_t(const char* value) : _variant_t() {
  bstrVal = _bstr_t(value).Detach();
  vt = VT_BSTR;
}

_variant_t::_variant_t(const _bstr_t& value) : _variant_t() {
  bstrVal = value.copy();
  vt = VT_BSTR;
}

_variant_t::_variant_t(IUnknown* value, bool add_ref) noexcept : _variant_t() {
  if (add_ref && value != nullptr) value->AddRef();
  punkVal = value;
  vt = VT_UNKNOWN;
}

_variant_t::_variant_t(IDispatch* value, bool add_ref) noexcept : _variant_t() {
  if (add_ref && value != nullptr) value->AddRef();
  pdispVal = value;
  vt = VT_DISPATCH;
}

_variant_t::~_variant_t() {
  VariantClear(this);
}

_variant_t& _variant_t::operator=(_variant_t other) noexcept {
  std::swap(static_cast<VARIANT&>(*this), static_cast<VARIANT&>(other));
  return *this;
}

VARIANT _variant_t::ConvertedTo(VARTYPE target) const {
  _variant_t converted;
  Check(target == vt ? VariantCopy(&converted, this)
                     : VariantChangeType(&converted, this, 0, target));
  return converted.Detach();
}

_variant_t::operator LONG() const {
  return ConvertedTo(VT_I4).lVal;
}

_variant_t::operator double() const {
  return ConvertedTo(VT_R8).dblVal;
}

_variant_t::operator bool() const {
  return ConvertedTo(VT_BOOL).boolVal != VARIANT_FALSE;
}

_variant_t::operator CY() const {
  return ConvertedTo(VT_CY).cyVal;
}

_variant_t::operator DECIMAL() const {
  DECIMAL value = ConvertedTo(VT_DECIMAL).decVal;
  value.wReserved = 0;
  return value;
}

_variant_t::operator _bstr_t() const {
  return _bstr_t(ConvertedTo(VT_BSTR).bstrVal, false);
}

_variant_t::operator IUnknown*() const {
  return ConvertedTo(VT_UNKNOWN).punkVal;
}

_variant_t::operator IDispatch*() const {
  return ConvertedTo(VT_DISPATCH).pdispVal;
}

void _variant_t::ChangeType(VARTYPE target, const _variant_t* source) {
  Check(VariantChangeType(this, source != nullptr ? source : this, 0, target));
}

void _variant_t::Clear() {
  Check(VariantClear(this));
}

void _variant_t::Attach(VARIANT& source) {
  Clear();
  static_cast<VARIANT&>(*this) = source;
  source.vt = VT_EMPTY;
}

VARIANT _variant_t::Detach() noexcept {
  VARIANT value = *this;
  vt = VT_EMPTY;
  return value;
}

VARIANT* _variant_t::GetAddress() {
  Clear();
  return this;
}
