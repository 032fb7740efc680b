// ddXML::CXmlClass: one whole XML document over the platform's DOM, read and
// written through XPath paths relative to the root element, with amounts as
// text plus a PREFIX sign attribute and dates as DAY/MONTH/YEAR attributes.
#ifndef EBANK_XML_XML_CLASS_H_
#define EBANK_XML_XML_CLASS_H_

#include <list>

#include "ebank/core/bstring.h"
#include "ebank/platform/com/com_support.h"
#include "ebank/platform/export.h"
#include "ebank/platform/msxml/msxml.h"
#include "ebank/platform/types.h"

namespace ddCOM {
class Date;
class Decimal;
}  // namespace ddCOM

namespace ddXML {

class EBANK_EXPORT CXmlClass {
 public:
  using BString = ddCOM::BString<wchar_t>;

  // Construction. Every text form parses the text unless it is null; the
  // node form makes a document whose root is a deep copy of the node.
  CXmlClass();
  CXmlClass(const wchar_t* xml);
  CXmlClass(wchar_t* const xml);
  CXmlClass(const BString& xml);
  CXmlClass(const _bstr_t& xml);
  CXmlClass(const char* xml);
  CXmlClass(const IXMLDOMNodePtr& node);
  // Clones the source's tree; the copy is independent of the source.
  CXmlClass(const CXmlClass& other);
  ~CXmlClass();

  // Re-parses the source's text; an empty source leaves this object as it is.
  CXmlClass& operator=(const CXmlClass& other);
  CXmlClass& operator=(const IXMLDOMNodePtr& node);
  // Holds `document` itself (shared, not copied) and frees handed-out strings.
  CXmlClass& operator=(const IXMLDOMDocumentPtr& document);

  void DisableAssertMode() { m_assertMode = false; }

  // A new, empty document with the settings every document of this class has.
  static IXMLDOMDocumentPtr getNewDocument();

  // Document life cycle. A failed parse or load raises ddCOM::Error and leaves
  // a document without a document element.
  void loadXML(const wchar_t* xml);
  void load(const wchar_t* path);
  void load(const char* path);
  void save(const wchar_t* path);
  void save(const char* path);
  void save();
  // Saves as <temporary directory>/<name>.XML.
  void saveTemp(const char* name);
  static void DumpXML(BString& xml, const char* path);
  void clear();
  bool isEmpty() const { return m_doc == nullptr; }
  BString getXml() const;
  IXMLDOMDocumentPtr getDocument() const { return m_doc; }
  void createRoot(const wchar_t* name);
  void createRoot(const char* name);
  void createRoot(const IXMLDOMNodePtr& node);

  // Queries. Paths are XPath relative to the root element; a non-null parent
  // path is joined in front as "parent/path". The ...Ex forms take a wide
  // printf format instead of a path.
  IXMLDOMNodePtr getNode(const wchar_t* path, const wchar_t* parentPath = nullptr) const;
  IXMLDOMNodePtr getNodeEx(const wchar_t* format, ...) const;
  IXMLDOMNodeListPtr getNodes(const wchar_t* path) const;
  IXMLDOMNodeListPtr getNodesEx(const wchar_t* format, ...) const;
  LONG getNrOfNodes(const wchar_t* path) const;
  bool isNodeFound(const wchar_t* path, const wchar_t* parentPath = nullptr) const;
  bool isNodeFoundEx(const wchar_t* format, ...) const;
  bool isNodeFoundAndNotEmpty(const wchar_t* path, const wchar_t* parentPath = nullptr) const;
  BString getNodeText(const wchar_t* path, const wchar_t* parentPath = nullptr) const;
  BString getNodeText(const wchar_t* path, LONG maxLength,
                      const wchar_t* parentPath = nullptr) const;
  BString getNodeTextEx(const wchar_t* format, ...) const;
  LONG getNodeLong(const wchar_t* path, const wchar_t* parentPath = nullptr) const;
  // The returned strings belong to this object and live as long as it does.
  wchar_t* getNodeBSTR(const wchar_t* path, const wchar_t* parentPath = nullptr);
  wchar_t* getNodeBSTR(const wchar_t* path, LONG maxLength, const wchar_t* parentPath = nullptr);
  wchar_t* getNodeAttrBSTR(const wchar_t* path, const wchar_t* attribute,
                           const wchar_t* parentPath = nullptr);
  LONG getNodeAttrLong(const wchar_t* path, const wchar_t* attribute,
                       const wchar_t* parentPath = nullptr);
  CY getNodeCurrency(const wchar_t* path, const wchar_t* parentPath = nullptr) const;
  SYSTEMTIME getNodeDate(const wchar_t* path, const wchar_t* parentPath = nullptr);

  // Editing. createElement appends a new child to the element at
  // `parentPath`; the other members change nodes that exist.
  void createElement(const wchar_t* parentPath, const wchar_t* name, const wchar_t* value);
  void createElement(const wchar_t* parentPath, const wchar_t* name, const _bstr_t& value);
  void createElement(const wchar_t* parentPath, const wchar_t* name, const char* value);
  void createElement(const wchar_t* parentPath, const wchar_t* name, LONG value);
  void createElement(const wchar_t* parentPath, const wchar_t* name, const ddCOM::Decimal& value);
  void createElement(const wchar_t* parentPath, const wchar_t* name, const ddCOM::Date& value);
  void createAttribute(const wchar_t* path, const wchar_t* name, const wchar_t* value);
  void createAttribute(const wchar_t* path, const wchar_t* name, const char* value);
  void createAttribute(const wchar_t* path, const wchar_t* name, LONG value);
  void setNodeText(const wchar_t* path, const BString& value, const wchar_t* parentPath = nullptr);
  void setNodeText(const wchar_t* path, const wchar_t* value, const wchar_t* parentPath = nullptr);
  void setNodeText(const wchar_t* path, const _bstr_t& value, const wchar_t* parentPath = nullptr);
  void setNodeText(const wchar_t* path, const _variant_t& value,
                   const wchar_t* parentPath = nullptr);
  void setNodeText(const wchar_t* path, const char* value, const wchar_t* parentPath = nullptr);
  void setNodeText(const wchar_t* path, LONG value, const wchar_t* parentPath = nullptr);
  // Writes the amount in English notation and, where the element carries
  // PREFIX, its sign there.
  void setNodeText(const wchar_t* path, CY value, const wchar_t* parentPath = nullptr);
  // Fills the YEAR, MONTH and DAY attributes the element already carries.
  void setNodeText(const wchar_t* path, SYSTEMTIME& value, const wchar_t* parentPath = nullptr);
  void setNodeAttrText(const wchar_t* path, const wchar_t* attribute, const char* value,
                       const wchar_t* parentPath = nullptr);
  void setNodeAttrText(const wchar_t* path, const wchar_t* attribute, LONG value,
                       const wchar_t* parentPath = nullptr);
  void setNodeTextIfEmpty(const wchar_t* path, const wchar_t* value,
                          const wchar_t* parentPath = nullptr);
  void updateElement(const wchar_t* parentPath, const wchar_t* childName, const char* value);
  // Appends deep copies; the caller's nodes stay where they are.
  void appendChild(const wchar_t* parentPath, const IXMLDOMNodePtr& node);
  void appendChild(const wchar_t* parentPath, CXmlClass& other);
  void appendChilds(const wchar_t* parentPath, const IXMLDOMNodeListPtr& nodes);
  void removeNode(const wchar_t* path);
  void removeNodes(const wchar_t* path);

  // Applies the "XSL" resource `id` of `module` and returns the output text.
  BString transform(int id, HINSTANCE module);
  // Replaces the document by the output of transform.
  void transformMe(int id, HINSTANCE module);
  // Rewrites every VALUE amount below the root into German notation.
  void ValueToGermanNotation();

 protected:
  static IXMLDOMDocumentPtr _createNewDocument();
  void _checkOfError();
  static void _checkOfError(const IXMLDOMParseErrorPtr& parseError);

 private:
  void replaceDocument();
  void freeStrings();
  wchar_t* keepString(BSTR text);
  IXMLDOMNodePtr selectSingle(const wchar_t* path) const;
  IXMLDOMNodeListPtr selectAll(const wchar_t* path) const;
  IXMLDOMElementPtr rootElement() const;

  IXMLDOMDocumentPtr m_doc;
  BString m_fileName;
  std::list<BSTR> m_strings;
  bool m_assertMode = true;
};

}  // namespace ddXML

#endif  // EBANK_XML_XML_CLASS_H_
