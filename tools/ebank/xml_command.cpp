// `ebank xml`: loads an XML document, rewrites its amounts into German
// notation, runs XPath queries against its root element and applies an XSL
// style sheet read from a file.
#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ebank/xml/xml_class.h"
#include "tools/ebank/command.h"
#include "tools/ebank/failure.h"
#include "tools/ebank/input.h"
#include "tools/ebank/output.h"
#include "tools/ebank/text.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

struct XmlOptions {
  std::string file;
  std::vector<std::string> queries;
  bool german = false;
  std::string stylesheet;
};

// Files go through the document's own loader, which honours their encoding
// declaration, once the tool has checked them; standard input is read as
// UTF-8 text.
void Load(ddXML::CXmlClass& document, const std::string& file) {
  std::wstring text;
  if (file == "-") {
    text = Utf8ToWide(ReadInput(file));
  } else {
    CheckInputFile(file);
  }
  try {
    if (file == "-") {
      document.loadXML(text.c_str());
    } else {
      document.load(file.c_str());
    }
  } catch (...) {
    FailWithCurrentException("cannot load '" + file + "'");
  }
}

void Query(const ddXML::CXmlClass& document, const std::string& path) {
  IXMLDOMNodeListPtr nodes;
  try {
    nodes = document.getNodes(Utf8ToWide(path).c_str());
  } catch (...) {
    FailWithCurrentException("query '" + path + "' failed");
  }
  const LONG count = nodes->Getlength();
  PrintField("query " + path, std::to_string(count) + (count == 1 ? " node" : " nodes"));
  for (LONG i = 0; i < count; ++i) {
    PrintField("[" + std::to_string(i + 1) + "]",
               static_cast<const wchar_t*>(nodes->Getitem(i)->Gettext()), 2);
  }
}

void Transform(const ddXML::CXmlClass& document, const std::string& stylesheet_file) {
  ddXML::CXmlClass stylesheet;
  Load(stylesheet, stylesheet_file);
  try {
    const _bstr_t output = document.getDocument()->transformNode(stylesheet.getDocument());
    std::fputs(WideToUtf8(static_cast<const wchar_t*>(output)).c_str(), stdout);
  } catch (...) {
    FailWithCurrentException("the transform with '" + stylesheet_file + "' failed");
  }
}

int Run(const XmlOptions& options) {
  ddXML::CXmlClass document;
  Load(document, options.file);
  if (document.getDocument()->GetdocumentElement() == nullptr) {
    throw ToolError("'" + options.file + "' holds no document element");
  }
  if (options.german) {
    try {
      document.ValueToGermanNotation();
    } catch (...) {
      FailWithCurrentException("cannot rewrite the amounts");
    }
  }
  for (const std::string& path : options.queries) Query(document, path);
  if (!options.stylesheet.empty()) Transform(document, options.stylesheet);
  if (options.queries.empty() && options.stylesheet.empty()) {
    std::puts(WideToUtf8(document.getXml()).c_str());
  }
  return 0;
}

}  // namespace

Command AddXmlCommand(CLI::App& app) {
  auto options = std::make_shared<XmlOptions>();
  CLI::App* command = app.add_subcommand(
      "xml", "Query an XML document by XPath, rewrite its amounts, transform it with XSL");
  command->add_option("file", options->file, "the XML document; - reads stdin")->required();
  command->add_option("-q,--query", options->queries,
                      "an XPath selection relative to the root element (repeatable); prints "
                      "the text of every node found");
  command->add_flag("-g,--german", options->german,
                    "rewrite every VALUE amount below the root into German notation first");
  command->add_option("-t,--transform", options->stylesheet,
                      "an XSL style sheet file to apply; prints its output");
  command->footer(
      "Without --query or --transform the document is printed (after --german, if given).");
  return {command, [options] { return Run(*options); }};
}

}  // namespace ebank::tool
