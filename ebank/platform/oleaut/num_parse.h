// Locale-aware parsing of number texts into digits and a power of ten, and the
// conversion of such a parsed number into the smallest fitting VARIANT type.
//
// The parser stores digit values (0..9), not characters, without leading or
// trailing zeros; what it saw is reported in dwOutFlags.
#ifndef EBANK_PLATFORM_OLEAUT_NUM_PARSE_H_
#define EBANK_PLATFORM_OLEAUT_NUM_PARSE_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

struct NUMPARSE {
  INT cDig;          // in: room in the digit array; out: digits stored
  ULONG dwInFlags;   // NUMPRS_* the text may use
  ULONG dwOutFlags;  // NUMPRS_* the text did use, plus NUMPRS_NEG and NUMPRS_INEXACT
  INT cchUsed;       // characters consumed
  INT nBaseShift;    // 0 for decimal, 3 for octal, 4 for hexadecimal
  INT nPwr10;        // the value is the digits times 10^nPwr10
};

inline constexpr ULONG NUMPRS_LEADING_WHITE = 0x0001;
inline constexpr ULONG NUMPRS_TRAILING_WHITE = 0x0002;
inline constexpr ULONG NUMPRS_LEADING_PLUS = 0x0004;
inline constexpr ULONG NUMPRS_TRAILING_PLUS = 0x0008;
inline constexpr ULONG NUMPRS_LEADING_MINUS = 0x0010;
inline constexpr ULONG NUMPRS_TRAILING_MINUS = 0x0020;
inline constexpr ULONG NUMPRS_HEX_OCT = 0x0040;
inline constexpr ULONG NUMPRS_PARENS = 0x0080;
inline constexpr ULONG NUMPRS_DECIMAL = 0x0100;
inline constexpr ULONG NUMPRS_THOUSANDS = 0x0200;
inline constexpr ULONG NUMPRS_CURRENCY = 0x0400;
inline constexpr ULONG NUMPRS_EXPONENT = 0x0800;
inline constexpr ULONG NUMPRS_USE_ALL = 0x1000;
inline constexpr ULONG NUMPRS_STD = 0x1FFF;
inline constexpr ULONG NUMPRS_NEG = 0x10000;
inline constexpr ULONG NUMPRS_INEXACT = 0x20000;

// Type masks of VarNumFromParseNum: one bit per acceptable VARTYPE.
inline constexpr ULONG VTBIT_I1 = 1u << VT_I1;
inline constexpr ULONG VTBIT_UI1 = 1u << VT_UI1;
inline constexpr ULONG VTBIT_I2 = 1u << VT_I2;
inline constexpr ULONG VTBIT_UI2 = 1u << VT_UI2;
inline constexpr ULONG VTBIT_I4 = 1u << VT_I4;
inline constexpr ULONG VTBIT_UI4 = 1u << VT_UI4;
inline constexpr ULONG VTBIT_I8 = 1u << VT_I8;
inline constexpr ULONG VTBIT_UI8 = 1u << VT_UI8;
inline constexpr ULONG VTBIT_R4 = 1u << VT_R4;
inline constexpr ULONG VTBIT_R8 = 1u << VT_R8;
inline constexpr ULONG VTBIT_CY = 1u << VT_CY;
inline constexpr ULONG VTBIT_DECIMAL = 1u << VT_DECIMAL;

extern "C" {

// Parses `text` under the conventions of `lcid`. `digits` has room for
// numprs->cDig values. DISP_E_TYPEMISMATCH when the text holds no number, or
// when NUMPRS_USE_ALL is given and characters are left over; E_INVALIDARG for
// null arguments or no room for digits.
EBANK_EXPORT HRESULT VarParseNumFromStr(const OLECHAR* text, LCID lcid, ULONG flags,
                                        NUMPARSE* numprs, BYTE* digits);
// Converts a parsed number into `result`, choosing the first type of `vt_bits`
// that holds it: whole numbers prefer the integer types, others R8, then CY and
// DECIMAL; the integer types alone round half to even. DISP_E_OVERFLOW when no
// requested type holds the value.
EBANK_EXPORT HRESULT VarNumFromParseNum(NUMPARSE* numprs, BYTE* digits, ULONG vt_bits,
                                        VARIANT* result);

}  // extern "C"

namespace ebank::platform {

// Parses a whole number text (NUMPRS_STD: blanks, signs, grouping, decimals,
// exponent, currency symbol) and converts it as VarNumFromParseNum does.
HRESULT ParseNumberText(const OLECHAR* text, LCID lcid, ULONG vt_bits, VARIANT* result);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_NUM_PARSE_H_
