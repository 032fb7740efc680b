// Language and locale identifiers: the primary/sub-language pairs of resources
// and the locale ids of the automation conversions.
#ifndef EBANK_PLATFORM_LANGUAGE_ID_H_
#define EBANK_PLATFORM_LANGUAGE_ID_H_

#include "ebank/platform/types.h"

inline constexpr WORD LANG_NEUTRAL = 0x00;
inline constexpr WORD LANG_GERMAN = 0x07;
inline constexpr WORD LANG_ENGLISH = 0x09;
inline constexpr WORD SUBLANG_NEUTRAL = 0x00;
inline constexpr WORD SUBLANG_DEFAULT = 0x01;
inline constexpr WORD SUBLANG_ENGLISH_US = 0x01;
inline constexpr WORD SORT_DEFAULT = 0x0;

constexpr LANGID MAKELANGID(WORD primary, WORD sub) {
  return static_cast<LANGID>((sub << 10) | primary);
}
constexpr WORD PRIMARYLANGID(LANGID lang) {
  return static_cast<WORD>(lang & 0x3FF);
}
constexpr WORD SUBLANGID(LANGID lang) {
  return static_cast<WORD>(lang >> 10);
}
constexpr LCID MAKELCID(WORD lang, WORD sort) {
  return (static_cast<DWORD>(sort) << 16) | static_cast<DWORD>(lang);
}
constexpr LANGID LANGIDFROMLCID(LCID lcid) {
  return static_cast<LANGID>(lcid & 0xFFFF);
}

#endif  // EBANK_PLATFORM_LANGUAGE_ID_H_
