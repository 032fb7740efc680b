// _variant_t: a VARIANT that owns its value, from the COM support classes.
//
// Built from the usual automation types; extracting a value of another type
// converts a copy with VariantChangeType. Failures raise _com_error.
#ifndef EBANK_PLATFORM_COM_VARIANT_T_H_
#define EBANK_PLATFORM_COM_VARIANT_T_H_

#include "ebank/platform/com/bstr_t.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

class EBANK_EXPORT _variant_t : public VARIANT {
 public:
  _variant_t() noexcept;
  _variant_t(const VARIANT& source);
  _variant_t(const _variant_t& source);
  _variant_t(_variant_t&& source) noexcept;
  // With `copy` a deep copy of `source`; without it `source`'s value is taken
  // over and `source` is left VT_EMPTY.
  _variant_t(VARIANT& source, bool copy);
  // `vt` is VT_I4, VT_ERROR or VT_BOOL; anything else raises E_INVALIDARG.
  _variant_t(LONG value, VARTYPE vt = VT_I4);
  // `vt` is VT_R8 or VT_DATE; anything else raises E_INVALIDARG.
  _variant_t(double value, VARTYPE vt = VT_R8);
  _variant_t(const CY& value) noexcept;
  _variant_t(const DECIMAL& value) noexcept;
  _variant_t(bool value) noexcept;
  // Text becomes VT_BSTR: wide text up to its NUL, narrow text through the
  // ANSI code page, a _bstr_t in full.
  _variant_t(const wchar_t* value);
  _variant_t(const char* value);
  _variant_t(const _bstr_t& value);
  // Interfaces are held with a reference; without `add_ref` the caller's
  // reference is taken over.
  _variant_t(IUnknown* value, bool add_ref = true) noexcept;
  _variant_t(IDispatch* value, bool add_ref = true) noexcept;
  ~_variant_t();

  // Every assignment builds the new value first, so a failure keeps the old.
  _variant_t& operator=(_variant_t other) noexcept;

  // Extraction: the value itself for its own type, else a converted copy.
  operator LONG() const;
  operator double() const;
  operator bool() const;
  operator CY() const;
  operator DECIMAL() const;
  operator _bstr_t() const;
  // With a reference for the caller.
  operator IUnknown*() const;
  operator IDispatch*() const;

  // Converts `source` (this value when null) to `vt` in place.
  void ChangeType(VARTYPE vt, const _variant_t* source = nullptr);
  void Clear();
  // Takes over `source`'s value and leaves it VT_EMPTY.
  void Attach(VARIANT& source);
  // Hands the value to the caller and becomes VT_EMPTY.
  VARIANT Detach() noexcept;
  // Clears the value and returns the VARIANT for an out-parameter.
  VARIANT* GetAddress();

 private:
  // The value converted to `vt`, owned by the caller.
  [[gnu::visibility("hidden")]] VARIANT ConvertedTo(VARTYPE vt) const;
};

#endif  // EBANK_PLATFORM_COM_VARIANT_T_H_
