// A fixed-capacity character buffer for the formatters: writes what fits,
// counts what would have been written and records that the text was cut.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_BOUNDED_OUTPUT_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_BOUNDED_OUTPUT_H_

#include <algorithm>
#include <cstddef>
#include <string>

namespace ebank::platform {

template <typename CharT>
class BoundedOutput {
 public:
  BoundedOutput(CharT* out, std::size_t capacity) : out_(out), capacity_(out ? capacity : 0) {}

  void Put(CharT c) {
    if (written_ < capacity_) out_[written_++] = c;
    ++total_;
  }
  void Append(const CharT* text, std::size_t count) {
    const std::size_t n = std::min(count, room());
    std::char_traits<CharT>::copy(out_ + written_, text, n);
    written_ += n;
    total_ += count;
  }
  void Fill(CharT c, std::size_t count) {
    if (count == 0) return;  // most conversions pad nothing
    const std::size_t n = std::min(count, room());
    std::char_traits<CharT>::assign(out_ + written_, n, c);
    written_ += n;
    total_ += count;
  }

  // Characters stored in the buffer.
  std::size_t written() const { return written_; }
  // Characters the whole text has, stored or not.
  std::size_t total() const { return total_; }
  bool truncated() const { return total_ > written_; }
  std::size_t room() const { return capacity_ - written_; }
  // A buffer of capacity 0 only measures the text.
  bool measures_only() const { return capacity_ == 0; }
  // Whether a buffer that keeps text has no room left.
  bool full() const { return capacity_ != 0 && written_ == capacity_; }

 private:
  CharT* out_;
  std::size_t capacity_;
  std::size_t written_ = 0;
  std::size_t total_ = 0;
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_BOUNDED_OUTPUT_H_
