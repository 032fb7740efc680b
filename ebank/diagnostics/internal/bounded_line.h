// Writing one formatted line through a buffer of fixed size: a text longer than
// the buffer is cut, and a cut line still ends with its line feed.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_BOUNDED_LINE_H_
#define EBANK_DIAGNOSTICS_INTERNAL_BOUNDED_LINE_H_

#include <cstddef>
#include <cstdio>

namespace ebank::diagnostics {

// The largest buffer a line may ask for.
inline constexpr std::size_t kMaxLineSize = 2560;

// Formats with printf rules into `size` bytes (at most kMaxLineSize, NUL
// included) and writes the result to `stream`. Every format ends in a line
// feed; when the text is cut, its last kept character becomes one.
void WriteBoundedLine(std::FILE* stream, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_BOUNDED_LINE_H_
