// Splits the replacement text of an entity into literal text and references
// to other entities, for the checks that follow nested references (the entity
// bound and markup in attribute values) without expanding them.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_REFERENCES_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_REFERENCES_H_

#include <cstddef>
#include <string_view>

namespace ebank::platform::msxml {

// Calls `on_text(run)` for each run of literal text and `on_reference(name,
// whole)` for each "&name;" (`whole` is the reference as written), in order.
// A character reference or a '&' that starts no reference is text of one
// character, passed as "&". Stops when a callback returns false.
template <typename OnText, typename OnReference>
void ForEachEntityPart(std::string_view text, OnText on_text, OnReference on_reference) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t amp = text.find('&', pos);
    if (amp == std::string_view::npos) {
      on_text(text.substr(pos));
      return;
    }
    if (amp > pos && !on_text(text.substr(pos, amp - pos))) return;
    const std::size_t end = text.find_first_of(";& \t\r\n<", amp + 1);
    const bool terminated = end != std::string_view::npos && text[end] == ';';
    if (!terminated || end == amp + 1 || text[amp + 1] == '#') {
      if (!on_text(text.substr(amp, 1))) return;
      pos = terminated ? end + 1 : amp + 1;
      continue;
    }
    if (!on_reference(text.substr(amp + 1, end - amp - 1), text.substr(amp, end + 1 - amp))) {
      return;
    }
    pos = end + 1;
  }
}

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_REFERENCES_H_
