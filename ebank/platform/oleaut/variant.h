// The VARIANT life cycle and type coercion of OLE Automation.
//
// A VARIANT owns what it holds: a BSTR is freed and an interface released by
// VariantClear; VariantCopy duplicates strings and AddRefs interfaces.
#ifndef EBANK_PLATFORM_OLEAUT_VARIANT_H_
#define EBANK_PLATFORM_OLEAUT_VARIANT_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

// Flags of VariantChangeType(Ex).
inline constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
inline constexpr USHORT VARIANT_ALPHABOOL = 0x02;
inline constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
inline constexpr USHORT VARIANT_CALENDAR_HIJRI = 0x08;
inline constexpr USHORT VARIANT_LOCALBOOL = 0x10;

extern "C" {

// Sets vt to VT_EMPTY without looking at the old contents.
EBANK_EXPORT void VariantInit(VARIANTARG* value);
// Frees what `value` owns and leaves it VT_EMPTY; DISP_E_BADVARTYPE for a
// type it does not know (the value is then left untouched).
EBANK_EXPORT HRESULT VariantClear(VARIANTARG* value);
// Clears `dest` and makes it a deep copy of `src` (E_OUTOFMEMORY when a
// string cannot be copied; `dest` is then VT_EMPTY).
EBANK_EXPORT HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src);
// Converts `src` to type `vt` into `dest` (which may be `src`) using the user
// default locale. On failure `dest` is unchanged.
EBANK_EXPORT HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, USHORT flags,
                                       VARTYPE vt);
// As VariantChangeType, with the locale that governs text conversions.
EBANK_EXPORT HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* src, LCID lcid,
                                         USHORT flags, VARTYPE vt);

}  // extern "C"

#endif  // EBANK_PLATFORM_OLEAUT_VARIANT_H_
