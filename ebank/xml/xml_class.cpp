// The life cycle of CXmlClass: construction, assignment, parsing, loading,
// saving and the parse-error check.
#include "ebank/xml/xml_class.h"

#include <cstring>
#include <string>

#include "ebank/core/error.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/temp_path.h"
#include "ebank/platform/win32/wvsprintf.h"
#include "ebank/xml/internal/locale_text.h"
#include "ebank/xml/internal/narrowed_text.h"

namespace ddXML {
namespace {

constexpr wchar_t kDocumentProgId[] = L"Msxml2.DOMDocument.3.0";
// Narrow paths are limited to this many characters including the terminator.
constexpr std::size_t kMaxPath = 260;

// A path longer than the limit is refused rather than cut: a cut path names
// another file, which save would then overwrite.
void CheckPathLength(std::size_t length) {
  if (length >= kMaxPath) _com_issue_error(E_INVALIDARG);
}

std::wstring WidenPath(const char* path) {
  CheckPathLength(std::strlen(path));
  return internal::LocaleText(path, kMaxPath - 1);
}

}  // namespace

CXmlClass::CXmlClass() = default;

CXmlClass::CXmlClass(const wchar_t* xml) {
  loadXML(xml);
}

CXmlClass::CXmlClass(wchar_t* const xml) {
  loadXML(xml);
}

CXmlClass::CXmlClass(const BString& xml) {
  loadXML(xml.IsNothing() ? nullptr : xml.ByVal());
}

CXmlClass::CXmlClass(const _bstr_t& xml) {
  loadXML(static_cast<const wchar_t*>(xml));
}

CXmlClass::CXmlClass(const char* xml) {
  if (xml == nullptr) return;
  loadXML(static_cast<const wchar_t*>(_bstr_t(xml)));
}

CXmlClass::CXmlClass(const IXMLDOMNodePtr& node) {
  createRoot(node);
}

CXmlClass::CXmlClass(const CXmlClass& other) {
  if (other.m_doc == nullptr) return;
  IXMLDOMNodePtr clone = other.m_doc->cloneNode(VARIANT_TRUE);
  m_doc = clone;  // asks the clone for IXMLDOMDocument; null when it has none
  if (!other.m_fileName.IsNothing()) m_fileName = other.m_fileName;
}

CXmlClass::~CXmlClass() {
  freeStrings();
}

// Assignment to itself parses its own text again like any other, which also
// forgets the file name.
CXmlClass& CXmlClass::operator=(const CXmlClass& other) {
  const BString xml = other.getXml();
  loadXML(xml.IsEmpty() ? nullptr : xml.ByVal());
  return *this;
}

CXmlClass& CXmlClass::operator=(const IXMLDOMNodePtr& node) {
  clear();
  createRoot(node);
  return *this;
}

CXmlClass& CXmlClass::operator=(const IXMLDOMDocumentPtr& document) {
  m_assertMode = true;
  m_fileName.Empty();
  freeStrings();
  m_doc = document;
  return *this;
}

IXMLDOMDocumentPtr CXmlClass::getNewDocument() {
  return _createNewDocument();
}

IXMLDOMDocumentPtr CXmlClass::_createNewDocument() {
  IXMLDOMDocument2Ptr document(kDocumentProgId, nullptr, internal::kClassContext);
  if (document == nullptr) {
    throw ddCOM::Error(REGDB_E_CLASSNOTREG, "Could not create XML Parser");
  }
  document->Putasync(VARIANT_FALSE);
  document->PutvalidateOnParse(VARIANT_FALSE);
  document->PutresolveExternals(VARIANT_FALSE);
  document->setProperty(_bstr_t(L"SelectionLanguage"), _variant_t(L"XPath"));
  return document;
}

void CXmlClass::replaceDocument() {
  m_fileName.Empty();
  m_doc = _createNewDocument();
}

void CXmlClass::loadXML(const wchar_t* xml) {
  if (xml == nullptr) return;
  // Copied before the old document goes, so the allocator can hand the
  // freed nodes straight to the parser of the new one.
  const _bstr_t text(xml);
  replaceDocument();
  m_doc->loadXML(text);
  _checkOfError();
}

void CXmlClass::load(const wchar_t* path) {
  replaceDocument();
  m_fileName = BString(path);
  m_doc->load(_variant_t(m_fileName.ByVal()));
  _checkOfError();
}

void CXmlClass::load(const char* path) {
  if (path == nullptr) return;
  load(WidenPath(path).c_str());
}

void CXmlClass::save(const wchar_t* path) {
  if (m_doc == nullptr) _com_issue_error(E_POINTER);
  m_doc->save(_variant_t(path == nullptr ? L"" : path));
}

void CXmlClass::save(const char* path) {
  if (path == nullptr) return;
  save(WidenPath(path).c_str());
}

void CXmlClass::save() {
  save(m_fileName.ByVal());
}

void CXmlClass::saveTemp(const char* name) {
  char directory[kMaxPath] = {};
  // A temporary directory that does not fit the buffer is refused: without it
  // the file would land at the file system root.
  const DWORD directory_length = GetTempPathA(kMaxPath, directory);
  if (directory_length == 0 || directory_length >= kMaxPath) _com_issue_error(E_INVALIDARG);
  // The directory already ends in a separator, so the name follows a doubled
  // one, which a path allows. A null name prints as "(null)". wsprintfA
  // writes at most 1024 bytes.
  char path[1024] = {};
  const int length = wsprintfA(path, "%s/%s.XML", directory, name);
  CheckPathLength(static_cast<std::size_t>(length));
  save(path);
}

void CXmlClass::DumpXML(BString& xml, const char* path) {
  wchar_t* const text = xml.IsNothing() ? nullptr : xml.ByVal();
  CXmlClass dump(text);
  dump.save(path);
}

void CXmlClass::clear() {
  m_doc = nullptr;
  m_fileName.Empty();
}

CXmlClass::BString CXmlClass::getXml() const {
  if (m_doc == nullptr) return BString();
  return internal::NarrowedText(m_doc->Getxml());
}

void CXmlClass::createRoot(const wchar_t* name) {
  replaceDocument();
  IXMLDOMElementPtr root = m_doc->createElement(name == nullptr ? L"" : name);
  m_doc->PutRefdocumentElement(root);
}

void CXmlClass::createRoot(const char* name) {
  const BString wide(name);
  createRoot(wide.ByVal());
}

void CXmlClass::createRoot(const IXMLDOMNodePtr& node) {
  if (node == nullptr) {
    m_fileName.Empty();
    return;
  }
  replaceDocument();
  IXMLDOMElementPtr root = node->cloneNode(VARIANT_TRUE);
  m_doc->PutRefdocumentElement(root);
}

void CXmlClass::_checkOfError() {
  if (m_doc == nullptr) _com_issue_error(E_POINTER);
  _checkOfError(m_doc->GetparseError());
}

void CXmlClass::_checkOfError(const IXMLDOMParseErrorPtr& parseError) {
  const LONG code = parseError->GeterrorCode();
  if (code >= 0) return;
  // Assembled in the ANSI code page and widened byte by byte, as every text
  // this class reads out of the DOM.
  std::string message = internal::Narrowed(parseError->Getreason());
  message += "Source: ";
  message += internal::Narrowed(parseError->GetsrcText());
  message += "\r\nLine: " + std::to_string(parseError->Getline());
  message += "\r\nPos: " + std::to_string(parseError->Getlinepos());
  const BString text(message.data(), static_cast<UINT>(message.size()));
  throw ddCOM::Error(code, text.ByVal());
}

void CXmlClass::freeStrings() {
  for (BSTR text : m_strings) SysFreeString(text);
  m_strings.clear();
}

wchar_t* CXmlClass::keepString(BSTR text) {
  try {
    m_strings.push_back(text);
  } catch (...) {
    SysFreeString(text);
    throw;
  }
  return text;
}

}  // namespace ddXML
