// _bstr_t: a reference-counted BSTR holder of the COM support classes.
//
// Copies share one BSTR. Narrow text converts through the ANSI code page
// (CP_ACP) in both directions; the narrow form is made on first use and kept.
// Allocation failures raise _com_error(E_OUTOFMEMORY).
#ifndef EBANK_PLATFORM_COM_BSTR_T_H_
#define EBANK_PLATFORM_COM_BSTR_T_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

class EBANK_EXPORT _bstr_t {
 public:
  _bstr_t() noexcept = default;
  _bstr_t(const _bstr_t& other) noexcept;
  _bstr_t(_bstr_t&& other) noexcept : data_(other.data_) { other.data_ = nullptr; }
  _bstr_t(const char* text);
  _bstr_t(const wchar_t* text);
  // With `copy` the BSTR is duplicated (full byte length); without it the
  // holder takes ownership of `bstr`.
  _bstr_t(BSTR bstr, bool copy);
  ~_bstr_t();

  _bstr_t& operator=(const _bstr_t& other) noexcept;
  _bstr_t& operator=(_bstr_t&& other) noexcept;
  _bstr_t& operator=(const char* text);
  _bstr_t& operator=(const wchar_t* text);

  _bstr_t& operator+=(const _bstr_t& other);
  _bstr_t operator+(const _bstr_t& other) const;
  friend EBANK_EXPORT _bstr_t operator+(const char* left, const _bstr_t& right);
  friend EBANK_EXPORT _bstr_t operator+(const wchar_t* left, const _bstr_t& right);

  // Null when nothing is held.
  operator const wchar_t*() const noexcept;
  operator wchar_t*() const noexcept;
  operator const char*() const;
  operator char*() const;

  bool operator!() const noexcept { return static_cast<const wchar_t*>(*this) == nullptr; }
  // Ordinal comparison of the whole text; null sorts before everything else.
  int Compare(const _bstr_t& other) const noexcept;
  bool operator==(const _bstr_t& other) const noexcept { return Compare(other) == 0; }
  bool operator!=(const _bstr_t& other) const noexcept { return Compare(other) != 0; }
  bool operator<(const _bstr_t& other) const noexcept { return Compare(other) < 0; }
  bool operator>(const _bstr_t& other) const noexcept { return Compare(other) > 0; }
  bool operator<=(const _bstr_t& other) const noexcept { return Compare(other) <= 0; }
  bool operator>=(const _bstr_t& other) const noexcept { return Compare(other) >= 0; }

  unsigned int length() const noexcept;
  // A BSTR the caller owns (with `copy`), or the held one (without).
  BSTR copy(bool copy = true) const;
  // Replaces the held text by a copy of `bstr`.
  void Assign(BSTR bstr);
  // Takes ownership of `bstr`, dropping the held text.
  void Attach(BSTR bstr);
  // Hands the held BSTR to the caller; this holder and its copies become empty.
  BSTR Detach() noexcept;
  // The held BSTR slot, created empty when nothing is held.
  BSTR& GetBSTR();
  // Drops the held text and returns an empty slot for an out-parameter.
  BSTR* GetAddress();

 private:
  class Data;
  explicit _bstr_t(Data* data) noexcept : data_(data) {}
  [[gnu::visibility("hidden")]] void Reset(Data* data) noexcept;

  Data* data_ = nullptr;
};

#endif  // EBANK_PLATFORM_COM_BSTR_T_H_
