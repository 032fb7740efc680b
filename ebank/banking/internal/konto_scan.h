// KontoScan: reads the fields of a KONTO text in one pass over its characters,
// without building a document, when the text has the plain form the account
// writers produce. It declines every other text, and the caller then reads it
// through a DOM; so the scan only ever answers where the DOM would answer the
// same. Header-only: the library's record and the reference server share it.
#ifndef EBANK_BANKING_INTERNAL_KONTO_SCAN_H_
#define EBANK_BANKING_INTERNAL_KONTO_SCAN_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "ebank/banking/internal/konto_fields.h"
#include "ebank/xml/internal/xml_char.h"

namespace ebank::banking {

// The plain form: one root element, KONTO or KONTEN, starting the text and
// followed by nothing but white space; elements with ASCII names nested at
// most kMaxDepth deep; character data and attribute values of XML characters
// with the five predefined entities and character references; attributes
// named YEAR, MONTH and DAY only; and, in the KONTO read, one
// DATE_LASTDOWNLOAD, field elements holding text only, and no carriage return
// in the texts read (a parser changes those). Declined: declarations,
// comments, processing instructions, CDATA, document types, namespaces, any
// other attribute, and anything that is not well-formed.
class KontoScan {
 public:
  static constexpr std::size_t kFieldCount = std::size(kKontoFields);
  static constexpr std::size_t kMaxDepth = 8;
  // Longer texts are left to the DOM, which bounds them its own way.
  static constexpr std::size_t kMaxLength = std::size_t{1} << 20;

  // True when `xml` has the plain form; the accessors then describe it.
  bool Scan(std::wstring_view xml) {
    Reset(xml);
    if (xml.size() > kMaxLength || xml.empty() || xml[0] != L'<') return false;
    do {
      if (!Markup() || (depth_ > 0 && !CharData())) return false;
    } while (depth_ > 0);
    for (; pos_ < text_.size(); ++pos_) {
      if (!IsSpace(text_[pos_])) return false;
    }
    return true;
  }

  // Whether the root is KONTO, or KONTEN with a KONTO child: the KONTO read.
  bool HasKonto() const { return konto_depth_ > 0; }
  // The text of the first child of the KONTO read named kKontoFields[i],
  // references resolved, untrimmed; empty when there is none.
  std::wstring_view Field(std::size_t i) const { return fields_[i]; }
  // The YEAR, MONTH and DAY (i = 0, 1, 2) of DATE_LASTDOWNLOAD/DATE; empty
  // when the element or the attribute is missing.
  std::wstring_view DateAttribute(std::size_t i) const { return date_[i]; }

 private:
  static constexpr std::wstring_view kDateNames[] = {L"YEAR", L"MONTH", L"DAY"};
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  static constexpr bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
  }
  static constexpr bool IsNameStart(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
  }
  static constexpr bool IsNameChar(wchar_t c) {
    return IsNameStart(c) || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
  }

  // Clears the state of an earlier scan but keeps the buffer it grew.
  void Reset(std::wstring_view xml) {
    std::wstring resolved = std::move(resolved_);
    resolved.clear();
    *this = KontoScan();
    resolved_ = std::move(resolved);
    text_ = xml;
  }

  bool At(wchar_t c) const { return pos_ < text_.size() && text_[pos_] == c; }

  bool SkipSpace() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    return pos_ > start;
  }

  std::wstring_view Name() {
    const std::size_t start = pos_;
    if (pos_ < text_.size() && IsNameStart(text_[pos_])) {
      while (++pos_ < text_.size() && IsNameChar(text_[pos_])) {
      }
    }
    return text_.substr(start, pos_ - start);
  }

  // At '<': a start tag, an empty-element tag or an end tag.
  bool Markup() {
    ++pos_;
    if (!At(L'/')) return StartTag();
    ++pos_;
    const std::wstring_view name = Name();
    SkipSpace();
    if (depth_ == 0 || name != open_[depth_ - 1] || !At(L'>')) return false;
    ++pos_;
    Close();
    return true;
  }

  bool StartTag() {
    const std::wstring_view name = Name();
    if (name.empty() || depth_ == kMaxDepth) return false;
    if (!Open(name)) return false;
    unsigned seen = 0;  // one bit per attribute name, for duplicates
    for (;;) {
      const bool spaced = SkipSpace();
      if (At(L'>')) {
        ++pos_;
        return true;
      }
      if (At(L'/')) {
        ++pos_;
        if (!At(L'>')) return false;
        ++pos_;
        Close();
        return true;
      }
      if (!spaced || !Attribute(seen)) return false;
    }
  }

  // An attribute of the element just opened, named YEAR, MONTH or DAY.
  bool Attribute(unsigned& seen) {
    const std::wstring_view name = Name();
    std::size_t index = 0;
    while (index < std::size(kDateNames) && name != kDateNames[index]) ++index;
    if (index == std::size(kDateNames) || (seen & (1u << index)) != 0) return false;
    seen |= 1u << index;
    SkipSpace();
    if (!At(L'=')) return false;
    ++pos_;
    SkipSpace();
    if (!At(L'"') && !At(L'\'')) return false;
    const wchar_t quote = text_[pos_++];
    std::wstring_view value;
    // White space in a value would be normalised by a parser: declined.
    if (!Run(quote, L"<\t\n\r", value) || !At(quote)) return false;
    ++pos_;
    if (reading_date_) date_[index] = value;
    return true;
  }

  // Character data up to the next '<'; the text of a field being read.
  bool CharData() {
    const bool read = field_ != kNone && depth_ == konto_depth_ + 1;
    std::wstring_view text;
    if (!Run(L'<', read ? L"\r" : L"", text) || !At(L'<')) return false;
    if (read) fields_[field_] = text;
    return true;
  }

  // Reads characters up to `end` (not consumed), declining at any of
  // `refused`, a character XML cannot carry or "]]>", and resolving
  // references: `value` views the text, or the resolved copy when it has any.
  bool Run(wchar_t end, std::wstring_view refused, std::wstring_view& value) {
    const std::size_t start = pos_;
    std::size_t copy_start = kNone;
    for (; pos_ < text_.size() && text_[pos_] != end; ++pos_) {
      const wchar_t c = text_[pos_];
      if (refused.find(c) != std::wstring_view::npos) return false;
      if (c == L'&') {
        if (copy_start == kNone) {
          // Resolved texts never outgrow the input, so reserving that much
          // before the first one keeps every view into them valid.
          if (resolved_.empty()) resolved_.reserve(text_.size());
          copy_start = resolved_.size();
          resolved_.append(text_.substr(start, pos_ - start));
        }
        if (!Reference()) return false;
        continue;
      }
      if (!ddXML::internal::IsXmlChar(static_cast<char32_t>(c))) return false;
      if (c == L']' && text_.substr(pos_, 3) == L"]]>") return false;
      if (copy_start != kNone) resolved_ += c;
    }
    value = copy_start == kNone
                ? text_.substr(start, pos_ - start)
                : std::wstring_view(resolved_).substr(copy_start, resolved_.size() - copy_start);
    return true;
  }

  // At '&': appends the character a reference stands for to resolved_ and
  // leaves pos_ on its ';'.
  bool Reference() {
    static constexpr std::pair<std::wstring_view, wchar_t> kEntities[] = {
        {L"amp;", L'&'}, {L"lt;", L'<'}, {L"gt;", L'>'}, {L"quot;", L'"'}, {L"apos;", L'\''}};
    const std::wstring_view rest = text_.substr(pos_ + 1);
    for (const auto& [entity, c] : kEntities) {
      if (rest.substr(0, entity.size()) == entity) {
        resolved_ += c;
        pos_ += entity.size();
        return true;
      }
    }
    if (rest.empty() || rest[0] != L'#') return false;
    const bool hex = rest.size() > 1 && rest[1] == L'x';
    std::size_t i = hex ? 2 : 1;
    char32_t code = 0;
    for (const std::size_t first = i; i < rest.size() && rest[i] != L';'; ++i) {
      const wchar_t d = rest[i];
      const int digit = d >= L'0' && d <= L'9'          ? d - L'0'
                        : hex && d >= L'a' && d <= L'f' ? d - L'a' + 10
                        : hex && d >= L'A' && d <= L'F' ? d - L'A' + 10
                                                        : -1;
      if (digit < 0 || i - first == 8) return false;  // 8 digits cannot overflow
      code = code * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (i == (hex ? 2u : 1u) || i == rest.size() || !ddXML::internal::IsXmlChar(code)) return false;
    resolved_ += static_cast<wchar_t>(code);
    pos_ += i + 1;
    return true;
  }

  // An element named `name` opens at depth depth_ + 1; false declines.
  bool Open(std::wstring_view name) {
    const std::size_t depth = depth_ + 1;
    reading_date_ = false;
    if (field_ != kNone && depth == konto_depth_ + 2) return false;
    const bool reading = konto_depth_ > 0 && !konto_done_;
    if (konto_depth_ == 0 && ((depth == 1 && name == L"KONTO") ||
                              (depth == 2 && open_[0] == L"KONTEN" && name == L"KONTO"))) {
      konto_depth_ = depth;
    } else if (reading && depth == konto_depth_ + 1) {
      if (!Child(name)) return false;
    } else if (in_date_parent_ && depth == konto_depth_ + 2 && name == L"DATE" && !date_seen_) {
      date_seen_ = reading_date_ = true;
    }
    open_[depth_++] = name;
    return true;
  }

  // A child of the KONTO read: a field's first element, or the date's parent.
  bool Child(std::wstring_view name) {
    if (name == kDateParent) {
      if (date_parent_seen_) return false;  // XPath and a child walk would differ
      date_parent_seen_ = in_date_parent_ = true;
      return true;
    }
    for (std::size_t i = 0; i < kFieldCount; ++i) {
      if (name == kKontoFieldNames[i] && !field_seen_[i]) {
        field_seen_[i] = true;
        field_ = i;
        return true;
      }
    }
    return true;
  }

  void Close() {
    --depth_;
    reading_date_ = false;
    if (depth_ == konto_depth_) {
      field_ = kNone;
      in_date_parent_ = false;
    } else if (konto_depth_ > 0 && depth_ + 1 == konto_depth_) {
      konto_done_ = true;
    }
  }

  std::wstring_view text_;
  std::size_t pos_ = 0;
  std::array<std::wstring_view, kMaxDepth> open_{};
  std::size_t depth_ = 0;
  // The depth of the KONTO read (1 or 2), 0 before it opens.
  std::size_t konto_depth_ = 0;
  bool konto_done_ = false;
  // The field whose element is open, kNone outside fields.
  std::size_t field_ = kNone;
  std::array<bool, kFieldCount> field_seen_{};
  bool date_parent_seen_ = false;
  bool in_date_parent_ = false;
  bool date_seen_ = false;
  bool reading_date_ = false;
  std::array<std::wstring_view, kFieldCount> fields_{};
  std::array<std::wstring_view, 3> date_{};
  std::wstring resolved_;
};

}  // namespace ebank::banking

#endif  // EBANK_BANKING_INTERNAL_KONTO_SCAN_H_
