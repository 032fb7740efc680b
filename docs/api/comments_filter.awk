# Doxygen input filter: shows the plain `//` comments of a public header to
# doxygen as its documentation, so the headers keep one comment style. A
# comment line becomes `///`, a comment after a declaration or enumerator
# `///<`, and the file's opening comment describes the file. Outside `code`
# spans, characters that are doxygen or HTML markup are escaped, since the
# comments are plain text.
# Usage: awk -f comments_filter.awk header.h

function escaped(text,    out, ch, i, in_code) {
  out = ""
  in_code = 0
  for (i = 1; i <= length(text); i++) {
    ch = substr(text, i, 1)
    if (ch == "`") in_code = !in_code
    else if (!in_code && index("\\@<>&#%$", ch)) ch = "\\" ch
    out = out ch
  }
  return out
}

# A whole-line comment (not a clang-format or lint directive).
/^[ \t]*\/\/([^\/]|$)/ && !/clang-format|NOLINT/ {
  start = index($0, "//")
  indent = substr($0, 1, start - 1)
  text = substr($0, start + 2)
  sub(/^ /, "", text)
  if (!seen_code && !file_described) {
    print indent "/// \\file"
    file_described = 1
  }
  print indent "/// " escaped(text)
  next
}

# A comment after a declaration or an enumerator.
/^[^#\/]*[^ \t]([;]|[A-Za-z0-9_)],)[ \t]+\/\/ / && !/^[^(]*\(.*,[ \t]+\/\/ / {
  start = index($0, "//")
  print substr($0, 1, start - 1) "///< " escaped(substr($0, start + 3))
  next
}

NF { seen_code = 1 }
{ print }
