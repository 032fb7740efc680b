// ddCOM::IsBSTR: a tag that marks a raw wide pointer as a real BSTR.
//
// Copies made from an IsBSTR keep the allocator's full byte length (embedded
// NULs included) instead of stopping at the first NUL. The tag owns nothing.
#ifndef EBANK_CORE_IS_BSTR_H_
#define EBANK_CORE_IS_BSTR_H_

namespace ddCOM {

class IsBSTR {
 public:
  explicit IsBSTR(wchar_t* text) : text_(text) {}

  operator wchar_t*() const { return text_; }

 private:
  wchar_t* text_;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_IS_BSTR_H_
