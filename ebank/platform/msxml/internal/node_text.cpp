#include "ebank/platform/msxml/internal/node_text.h"

#include <span>
#include <tuple>
#include <vector>

#include "ebank/platform/msxml/internal/entity_content.h"
#include "ebank/platform/msxml/internal/parse_limits.h"
#include "ebank/platform/msxml/internal/white_space.h"

namespace ebank::platform::msxml {
namespace {

// One text or CDATA node's share of the text, with the element whose
// xml:space scope it lies in (for all text inside an entity, the element
// holding the outermost reference).
struct Piece {
  std::string_view text;
  xmlNodePtr context;
  bool cdata;
};

std::string_view ContentOf(xmlNodePtr node) {
  return node->content != nullptr ? std::string_view(reinterpret_cast<const char*>(node->content))
                                  : std::string_view();
}

// Collects the character data below `first` and its siblings, entering
// elements and entity references, without recursion.
void CollectPieces(xmlNodePtr first, xmlNodePtr context, std::vector<Piece>* pieces) {
  struct Level {
    xmlNodePtr next;
    xmlNodePtr context;
    int entity_depth;
  };
  std::vector<Level> levels{{first, context, 0}};
  while (!levels.empty()) {
    Level& level = levels.back();
    xmlNodePtr node = level.next;
    if (node == nullptr) {
      levels.pop_back();
      continue;
    }
    level.next = node->next;
    const Level current = level;  // `level` dies when a level is pushed
    switch (node->type) {
      case XML_TEXT_NODE:
      case XML_CDATA_SECTION_NODE:
        pieces->push_back({ContentOf(node), current.context, node->type == XML_CDATA_SECTION_NODE});
        break;
      case XML_ELEMENT_NODE: {
        xmlNodePtr scope = current.entity_depth > 0 ? current.context : node;
        levels.push_back({node->children, scope, current.entity_depth});
        break;
      }
      case XML_ENTITY_REF_NODE:
        if (current.entity_depth < kMaxEntityNesting) {
          levels.push_back({EntityContent(node), current.context, current.entity_depth + 1});
        }
        break;
      default:
        break;
    }
  }
}

// The text of a node that holds it in one piece: a text-like node's own
// content, or the only text child of an element or attribute.
bool SinglePiece(xmlNodePtr node, Piece* piece) {
  switch (node->type) {
    case XML_TEXT_NODE:
      *piece = {ContentOf(node), node->parent, false};
      return true;
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
      *piece = {ContentOf(node), nullptr, true};
      return true;
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE: {
      const xmlNodePtr child = node->children;
      if (child == nullptr) {
        *piece = {};
        return true;
      }
      if (child->next != nullptr ||
          (child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE)) {
        return false;
      }
      *piece = {ContentOf(child), node, child->type == XML_CDATA_SECTION_NODE};
      return true;
    }
    default:
      return false;
  }
}

// The pieces of the subtree of a node that does not hold its text in one.
void PiecesOf(xmlNodePtr node, std::vector<Piece>* pieces) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
      CollectPieces(node->children, node, pieces);
      return;
    case XML_ENTITY_REF_NODE:
      CollectPieces(EntityContent(node), node->parent, pieces);
      return;
    default:
      return;
  }
}

bool KeepsWhiteSpace(const Piece& piece, PreserveScopes& scopes) {
  return piece.cdata || scopes.Preserves(piece.context);
}

constexpr const char* kXmlSpaces = " \t\n\r";

// Where the trimmed text starts: the piece and the offset in it; past the
// end when nothing but white space is left.
std::pair<size_t, size_t> TrimmedStart(std::span<const Piece> pieces, PreserveScopes& scopes) {
  for (size_t i = 0; i < pieces.size(); ++i) {
    const size_t kept = pieces[i].text.find_first_not_of(kXmlSpaces);
    if (kept == 0 || (!pieces[i].text.empty() && KeepsWhiteSpace(pieces[i], scopes))) {
      return {i, 0};
    }
    if (kept != std::string_view::npos) return {i, kept};
  }
  return {pieces.size(), 0};
}

// Where the trimmed text ends: one past its last piece, and the length kept
// of that piece.
std::pair<size_t, size_t> TrimmedEnd(std::span<const Piece> pieces, PreserveScopes& scopes) {
  for (size_t i = pieces.size(); i-- > 0;) {
    const std::string_view text = pieces[i].text;
    if (text.empty()) continue;
    const size_t last = text.find_last_not_of(kXmlSpaces);
    if (last + 1 == text.size() || KeepsWhiteSpace(pieces[i], scopes)) {
      return {i + 1, text.size()};
    }
    if (last != std::string_view::npos) return {i + 1, last + 1};
  }
  return {0, 0};
}

}  // namespace

std::string_view NodeText(xmlNodePtr node, bool trim, std::string* storage) {
  trim = trim && node->type != XML_ATTRIBUTE_NODE;
  // Most nodes hold their text in one piece; only the others need a list.
  Piece single;
  std::vector<Piece> collected;
  std::span<const Piece> pieces(&single, 1);
  if (!SinglePiece(node, &single)) {
    PiecesOf(node, &collected);
    pieces = collected;
  }
  size_t first = 0, first_offset = 0, end = pieces.size();
  size_t last_length = end > 0 ? pieces.back().text.size() : 0;
  if (trim) {
    PreserveScopes scopes;
    std::tie(first, first_offset) = TrimmedStart(pieces, scopes);
    std::tie(end, last_length) = TrimmedEnd(pieces, scopes);
  }
  if (first >= end) return {};
  if (first + 1 == end) {
    return pieces[first].text.substr(first_offset, last_length - first_offset);
  }
  storage->clear();
  storage->append(pieces[first].text.substr(first_offset));
  for (size_t i = first + 1; i + 1 < end; ++i) storage->append(pieces[i].text);
  storage->append(pieces[end - 1].text.substr(0, last_length));
  return *storage;
}

}  // namespace ebank::platform::msxml
