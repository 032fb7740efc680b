#include "ebank/platform/oleaut/variant.h"

#include <cstring>
#include <string>

#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/internal/bstr_result.h"
#include "ebank/platform/oleaut/internal/exact_number.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/num_parse.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/platform/oleaut/var_date.h"
#include "ebank/platform/oleaut/var_decimal.h"
#include "ebank/platform/oleaut/var_number.h"

namespace {

using ebank::platform::ExactNumber;

constexpr DISPID kDispidValue = 0;
constexpr WORD kDispatchPropertyGet = 2;
constexpr GUID kIidNull = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

bool IsScalarType(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_DECIMAL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
      return true;
    default:
      return false;
  }
}

// A by-reference VARIANT points at a value it does not own; VT_VARIANT only
// appears by reference.
bool IsKnownType(VARTYPE vt) {
  if ((vt & VT_BYREF) != 0) {
    const VARTYPE base = vt & ~VT_BYREF;
    return base != VT_EMPTY && base != VT_NULL && (IsScalarType(base) || base == VT_VARIANT);
  }
  return IsScalarType(vt);
}

bool IsNumericType(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
      return true;
    default:
      return false;
  }
}

// The size of the value a by-reference VARIANT of base type `vt` points at.
std::size_t ValueSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_DECIMAL:
      return sizeof(DECIMAL);
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(void*);
    default:
      return 8;
  }
}

// A non-owning by-value view of `src`, following one level of VT_BYREF.
HRESULT ViewByValue(const VARIANT& src, VARIANT* view) {
  if (!IsKnownType(src.vt)) return DISP_E_BADVARTYPE;
  if ((src.vt & VT_BYREF) == 0) {
    *view = src;
    return S_OK;
  }
  if (src.byref == nullptr) return E_INVALIDARG;
  const VARTYPE base = src.vt & ~VT_BYREF;
  if (base == VT_VARIANT) {
    const VARIANT& inner = *src.pvarVal;
    return (inner.vt & VT_BYREF) != 0 ? DISP_E_BADVARTYPE : ViewByValue(inner, view);
  }
  std::memset(view, 0, sizeof *view);
  if (base == VT_DECIMAL) {
    view->decVal = *src.pdecVal;
  } else {
    std::memcpy(&view->llVal, src.byref, ValueSize(base));
  }
  view->vt = base;
  return S_OK;
}

// The number a non-text scalar holds, exact unless it is floating point.
struct SourceNumber {
  bool is_double = false;
  double floating = 0;
  ExactNumber exact;
};

HRESULT ReadNumber(const VARIANT& src, SourceNumber* number) {
  switch (src.vt) {
    case VT_EMPTY:
      number->exact = ExactNumber{};
      return S_OK;
    case VT_BOOL:
      number->exact = ebank::platform::ExactFromInt64(src.boolVal ? -1 : 0);
      return S_OK;
    case VT_I1:
      number->exact = ebank::platform::ExactFromInt64(src.cVal);
      return S_OK;
    case VT_UI1:
      number->exact = ebank::platform::ExactFromInt64(src.bVal);
      return S_OK;
    case VT_I2:
      number->exact = ebank::platform::ExactFromInt64(src.iVal);
      return S_OK;
    case VT_UI2:
      number->exact = ebank::platform::ExactFromInt64(src.uiVal);
      return S_OK;
    case VT_I4:
    case VT_INT:
      number->exact = ebank::platform::ExactFromInt64(src.lVal);
      return S_OK;
    case VT_UI4:
    case VT_UINT:
      number->exact = ebank::platform::ExactFromInt64(src.ulVal);
      return S_OK;
    case VT_I8:
      number->exact = ebank::platform::ExactFromInt64(src.llVal);
      return S_OK;
    case VT_UI8:
      number->exact = ebank::platform::ExactFromUint64(src.ullVal);
      return S_OK;
    case VT_CY:
      number->exact = ebank::platform::ExactFromCy(src.cyVal);
      return S_OK;
    case VT_DECIMAL:
      if (src.decVal.scale > 28) return E_INVALIDARG;
      number->exact = ebank::platform::ExactFromDecimal(src.decVal);
      return S_OK;
    case VT_R4:
      number->is_double = true;
      number->floating = src.fltVal;
      return S_OK;
    case VT_R8:
    case VT_DATE:
      number->is_double = true;
      number->floating = src.dblVal;
      return S_OK;
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

HRESULT TextToNumber(BSTR text, LCID lcid, VARTYPE vt, VARIANT* out) {
  if (vt == VT_DATE) {
    DATE date;
    const HRESULT hr = VarDateFromStr(text == nullptr ? L"" : text, lcid, 0, &date);
    if (SUCCEEDED(hr)) out->vt = VT_DATE, out->date = date;
    return hr;
  }
  if (vt == VT_INT) vt = VT_I4;
  if (vt == VT_UINT) vt = VT_UI4;
  VARIANT parsed;
  const HRESULT hr =
      ebank::platform::ParseNumberText(text == nullptr ? L"" : text, lcid, 1u << vt, &parsed);
  if (FAILED(hr)) return hr;
  *out = parsed;
  return S_OK;
}

HRESULT ToNumber(const VARIANT& src, LCID lcid, VARTYPE vt, VARIANT* out) {
  if (src.vt == VT_BSTR) {
    const HRESULT hr = TextToNumber(src.bstrVal, lcid, vt, out);
    if (SUCCEEDED(hr) && out->vt != vt) out->vt = vt;  // VT_INT and VT_UINT share the layout
    return hr;
  }
  SourceNumber number;
  const HRESULT hr = ReadNumber(src, &number);
  if (FAILED(hr)) return hr;
  return number.is_double ? ebank::platform::DoubleToVariant(number.floating, vt, out)
                          : ebank::platform::ExactToVariant(number.exact, vt, out);
}

const wchar_t* BoolText(bool value, USHORT flags, LCID lcid) {
  if ((flags & VARIANT_LOCALBOOL) != 0 && ebank::platform::GetLocaleInfoFor(lcid).german) {
    return value ? L"Wahr" : L"Falsch";
  }
  if ((flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) != 0) return value ? L"True" : L"False";
  return value ? L"-1" : L"0";
}

HRESULT ToText(const VARIANT& src, LCID lcid, USHORT flags, VARIANT* out) {
  BSTR text = nullptr;
  HRESULT hr;
  switch (src.vt) {
    case VT_EMPTY:
      hr = ebank::platform::ReturnBstr(L"", &text);
      break;
    case VT_BOOL:
      hr = ebank::platform::ReturnBstr(BoolText(src.boolVal != 0, flags, lcid), &text);
      break;
    case VT_R4:
    case VT_R8: {
      const double value = src.vt == VT_R4 ? static_cast<double>(src.fltVal) : src.dblVal;
      hr = VarBstrFromR8(value, lcid, 0, &text);
      break;
    }
    case VT_CY:
      hr = VarBstrFromCy(src.cyVal, lcid, 0, &text);
      break;
    case VT_DECIMAL:
      hr = VarBstrFromDec(&src.decVal, lcid, 0, &text);
      break;
    case VT_DATE:
      hr = VarBstrFromDate(src.date, lcid, 0, &text);
      break;
    default: {
      SourceNumber number;
      hr = ReadNumber(src, &number);
      if (SUCCEEDED(hr))
        hr = ebank::platform::ReturnBstr(ebank::platform::ExactToText(number.exact, L'.'), &text);
    }
  }
  if (FAILED(hr)) return hr;
  out->vt = VT_BSTR;
  out->bstrVal = text;
  return S_OK;
}

HRESULT ToBool(const VARIANT& src, LCID lcid, VARIANT* out) {
  VARIANT number;
  HRESULT hr = src.vt == VT_BOOL ? (number = src, S_OK) : ToNumber(src, lcid, VT_R8, &number);
  if (src.vt == VT_BSTR && FAILED(hr) && src.bstrVal != nullptr) {
    const std::wstring text = src.bstrVal;
    if (text == L"True" || text == L"true" || text == L"Wahr") {
      number.vt = VT_R8, number.dblVal = 1, hr = S_OK;
    } else if (text == L"False" || text == L"false" || text == L"Falsch") {
      number.vt = VT_R8, number.dblVal = 0, hr = S_OK;
    }
  }
  if (FAILED(hr)) return hr;
  const bool value = number.vt == VT_BOOL ? number.boolVal != 0 : number.dblVal != 0;
  out->vt = VT_BOOL;
  out->llVal = 0;
  out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT ToInterface(const VARIANT& src, VARTYPE vt, VARIANT* out) {
  if (src.vt != VT_UNKNOWN && src.vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
  IUnknown* object = src.vt == VT_UNKNOWN ? src.punkVal : src.pdispVal;
  void* result = nullptr;
  if (object != nullptr) {
    const HRESULT hr =
        object->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &result);
    if (FAILED(hr)) return hr;
  }
  out->vt = vt;
  out->llVal = 0;
  out->byref = result;
  return S_OK;
}

HRESULT Convert(const VARIANT& src, LCID lcid, USHORT flags, VARTYPE vt, VARIANT* out);

// An object converts through the value of its default property.
HRESULT ConvertDefaultValue(const VARIANT& src, LCID lcid, USHORT flags, VARTYPE vt, VARIANT* out) {
  if ((flags & VARIANT_NOVALUEPROP) != 0 || src.pdispVal == nullptr) return DISP_E_TYPEMISMATCH;
  DISPPARAMS no_arguments = {nullptr, nullptr, 0, 0};
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = src.pdispVal->Invoke(kDispidValue, kIidNull, lcid, kDispatchPropertyGet,
                                    &no_arguments, &value, nullptr, nullptr);
  if (FAILED(hr)) return hr;
  VARIANT inner;
  hr = ViewByValue(value, &inner);
  if (SUCCEEDED(hr)) {
    hr = inner.vt == VT_DISPATCH ? DISP_E_TYPEMISMATCH
                                 : Convert(inner, lcid, flags | VARIANT_NOVALUEPROP, vt, out);
  }
  VariantClear(&value);
  return hr;
}

// Converts a by-value `src` into a fresh `out`; `out` owns what it receives.
HRESULT Convert(const VARIANT& src, LCID lcid, USHORT flags, VARTYPE vt, VARIANT* out) {
  if (src.vt == vt) return VariantCopy(out, &src);
  if (vt == VT_EMPTY) return S_OK;
  if (vt == VT_NULL) return src.vt == VT_EMPTY ? (out->vt = VT_NULL, S_OK) : DISP_E_TYPEMISMATCH;
  if (vt == VT_UNKNOWN || vt == VT_DISPATCH) return ToInterface(src, vt, out);
  if (src.vt == VT_DISPATCH) return ConvertDefaultValue(src, lcid, flags, vt, out);
  if (src.vt == VT_NULL || src.vt == VT_ERROR || src.vt == VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
  if (vt == VT_BSTR) return ToText(src, lcid, flags, out);
  if (vt == VT_BOOL) return ToBool(src, lcid, out);
  if (IsNumericType(vt)) return ToNumber(src, lcid, vt, out);
  return DISP_E_TYPEMISMATCH;
}

}  // namespace

extern "C" void VariantInit(VARIANTARG* value) {
  if (value != nullptr) std::memset(value, 0, sizeof *value);
}

extern "C" HRESULT VariantClear(VARIANTARG* value) {
  if (value == nullptr) return E_INVALIDARG;
  if (!IsKnownType(value->vt)) return DISP_E_BADVARTYPE;
  switch (value->vt) {
    case VT_BSTR:
      SysFreeString(value->bstrVal);
      break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
      if (value->punkVal != nullptr) value->punkVal->Release();
      break;
    default:
      break;
  }
  VariantInit(value);
  return S_OK;
}

extern "C" HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src) {
  if (dest == nullptr || src == nullptr) return E_INVALIDARG;
  if (dest == src) return S_OK;
  if (!IsKnownType(src->vt)) return DISP_E_BADVARTYPE;
  const HRESULT hr = VariantClear(dest);
  if (FAILED(hr)) return hr;
  if (src->vt == VT_BSTR && src->bstrVal != nullptr) {
    BSTR copy = SysAllocStringByteLen(reinterpret_cast<const char*>(src->bstrVal),
                                      SysStringByteLen(src->bstrVal));
    if (copy == nullptr) return E_OUTOFMEMORY;
    *dest = *src;
    dest->bstrVal = copy;
    return S_OK;
  }
  *dest = *src;
  if ((src->vt == VT_UNKNOWN || src->vt == VT_DISPATCH) && src->punkVal != nullptr) {
    src->punkVal->AddRef();
  }
  return S_OK;
}

extern "C" HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, USHORT flags,
                                     VARTYPE vt) {
  return VariantChangeTypeEx(dest, src, LOCALE_USER_DEFAULT, flags, vt);
}

extern "C" HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* src, LCID lcid,
                                       USHORT flags, VARTYPE vt) {
  if (dest == nullptr || src == nullptr) return E_INVALIDARG;
  if (!IsKnownType(vt) || (vt & VT_BYREF) != 0) return DISP_E_BADVARTYPE;
  if (!IsKnownType(dest->vt)) return DISP_E_BADVARTYPE;
  VARIANT view;
  HRESULT hr = ViewByValue(*src, &view);
  if (FAILED(hr)) return hr;
  VARIANT result;
  VariantInit(&result);
  hr = Convert(view, lcid, flags, vt, &result);
  if (FAILED(hr)) return hr;
  // Only now may `dest` be cleared: it may be `src` itself.
  VariantClear(dest);
  *dest = result;
  return S_OK;
}
