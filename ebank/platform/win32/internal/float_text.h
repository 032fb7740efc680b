// One floating-point conversion (%e %E %f %F %g %G %a %A) of the C runtime's
// printf rules, made by the C library without its width. A precision beyond
// the digits the value's exact expansion has only adds zeros, so those are
// counted rather than computed: a huge precision costs no time or memory.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_FLOAT_TEXT_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_FLOAT_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ebank::platform {

struct FloatConversion {
  char type;  // e E f F g G a A
  bool plus = false;
  bool space = false;
  bool alternate = false;
  std::optional<std::size_t> precision;
  bool long_double = false;  // the argument is a long double, not a double
};

// The text reads sign(), digits(), extra_zeros() zeros, then exponent().
class FloatText {
 public:
  FloatText(const FloatConversion& conversion, long double value);
  FloatText(const FloatText&) = delete;
  FloatText& operator=(const FloatText&) = delete;

  // The sign and the 0x of %a: zero padding goes after it.
  std::string_view sign() const { return text_.substr(0, sign_length_); }
  // The digits up to where the extra zeros go.
  std::string_view digits() const { return text_.substr(sign_length_, zeros_at_ - sign_length_); }
  std::size_t extra_zeros() const { return extra_zeros_; }
  // The exponent of %e %g %a, or nothing.
  std::string_view exponent() const { return text_.substr(zeros_at_); }
  std::size_t size() const { return text_.size() + extra_zeros_; }
  // Infinity and NaN are padded with blanks even under the 0 flag.
  bool finite() const { return finite_; }

 private:
  char buffer_[512];
  std::string large_;  // texts longer than the buffer
  std::string_view text_;
  std::size_t sign_length_ = 0;
  std::size_t zeros_at_ = 0;
  std::size_t extra_zeros_ = 0;
  bool finite_ = true;
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_FLOAT_TEXT_H_
