// The writing side of CXmlClass: new elements and attributes, texts, amounts
// with their sign, dates as attributes, grafted copies and removal.
#include <cstdio>
#include <string>

#include "ebank/core/bstring.h"
#include "ebank/core/date.h"
#include "ebank/core/decimal.h"
#include "ebank/core/raise.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/platform/oleaut/var_decimal.h"
#include "ebank/platform/oleaut/variant.h"
#include "ebank/platform/win32/wide_string.h"
#include "ebank/platform/win32/wvsprintf.h"
#include "ebank/xml/internal/append_element.h"
#include "ebank/xml/internal/attribute_of.h"
#include "ebank/xml/internal/date_attributes.h"
#include "ebank/xml/internal/locale_text.h"
#include "ebank/xml/internal/xml_path.h"
#include "ebank/xml/xml_class.h"

namespace ddXML {
namespace {

using BString = CXmlClass::BString;

constexpr LCID kEnglish = 0x0009;
constexpr LCID kEnglishUS = 0x0409;
// Narrow values are converted into buffers of this many wide characters.
constexpr std::size_t kMaxValue = 4000;

// Decimal text of a 32-bit number; room for a sign, ten digits and the NUL.
struct LongText {
  explicit LongText(LONG value) { _ltow(value, text, 10); }
  wchar_t text[12];
};

// Whether `ancestor` is one of the nodes above `node`.
bool IsInside(const IXMLDOMNodePtr& node, const IXMLDOMNodePtr& ancestor) {
  for (IXMLDOMNodePtr up = node->GetparentNode(); up != nullptr; up = up->GetparentNode()) {
    if (up == ancestor) return true;
  }
  return false;
}

std::wstring WidenValue(const char* value) {
  return internal::LocaleText(value, kMaxValue - 1);
}

}  // namespace

void CXmlClass::createElement(const wchar_t* parentPath, const wchar_t* name,
                              const wchar_t* value) {
  internal::AppendElement(m_doc, selectSingle(parentPath), name, value);
}

void CXmlClass::createElement(const wchar_t* parentPath, const wchar_t* name,
                              const _bstr_t& value) {
  createElement(parentPath, name, static_cast<const wchar_t*>(value));
}

void CXmlClass::createElement(const wchar_t* parentPath, const wchar_t* name, const char* value) {
  if (value == nullptr) return;
  createElement(parentPath, name, WidenValue(value).c_str());
}

void CXmlClass::createElement(const wchar_t* parentPath, const wchar_t* name, LONG value) {
  createElement(parentPath, name, LongText(value).text);
}

void CXmlClass::createElement(const wchar_t* parentPath, const wchar_t* name,
                              const ddCOM::Decimal& value) {
  VARIANT copy;
  VariantInit(&copy);
  ddCOM::CheckHResult(VariantCopy(&copy, &value.Variant()));
  BString text;
  const HRESULT formatted =
      VarBstrFromDec(&copy.decVal, kEnglish, LOCALE_NOUSEROVERRIDE, text.RetVal());
  const HRESULT cleared = VariantClear(&copy);
  ddCOM::CheckHResult(formatted);
  ddCOM::CheckHResult(cleared);
  createElement(parentPath, name, text.ByVal());
}

void CXmlClass::createElement(const wchar_t* parentPath, const wchar_t* name,
                              const ddCOM::Date& value) {
  const SYSTEMTIME date = value.GetSYSTEMTIME();
  char text[1024];
  wsprintfA(text, "%04d-%02d-%02d", date.wYear, date.wMonth, date.wDay);
  createElement(parentPath, name, static_cast<const char*>(text));
}

void CXmlClass::createAttribute(const wchar_t* path, const wchar_t* name, const wchar_t* value) {
  IXMLDOMElementPtr element = selectSingle(path);
  if (element == nullptr) return;
  // An attribute is never created empty; a null value counts as empty.
  if (value == nullptr || value[0] == L'\0') return;
  element->setAttribute(name, _variant_t(value));
}

void CXmlClass::createAttribute(const wchar_t* path, const wchar_t* name, const char* value) {
  if (value == nullptr) return;
  createAttribute(path, name, WidenValue(value).c_str());
}

void CXmlClass::createAttribute(const wchar_t* path, const wchar_t* name, LONG value) {
  createAttribute(path, name, LongText(value).text);
}

void CXmlClass::setNodeText(const wchar_t* path, const BString& value, const wchar_t* parentPath) {
  const internal::JoinedPath effective(path, parentPath);
  IXMLDOMNodePtr node = selectSingle(effective.get());
  if (node == nullptr) return;
  node->Puttext(_bstr_t(value.ByVal()));
}

void CXmlClass::setNodeText(const wchar_t* path, const wchar_t* value, const wchar_t* parentPath) {
  setNodeText(path, BString(value), parentPath);
}

void CXmlClass::setNodeText(const wchar_t* path, const _bstr_t& value, const wchar_t* parentPath) {
  setNodeText(path, BString(static_cast<const wchar_t*>(value), value.length()), parentPath);
}

void CXmlClass::setNodeText(const wchar_t* path, const _variant_t& value,
                            const wchar_t* parentPath) {
  const VARIANT& raw = value;
  if (raw.vt != VT_BSTR) return;
  setNodeText(path, BString(raw.bstrVal, SysStringLen(raw.bstrVal)), parentPath);
}

void CXmlClass::setNodeText(const wchar_t* path, const char* value, const wchar_t* parentPath) {
  setNodeText(path, BString(value), parentPath);
}

void CXmlClass::setNodeText(const wchar_t* path, LONG value, const wchar_t* parentPath) {
  setNodeText(path, static_cast<const wchar_t*>(LongText(value).text), parentPath);
}

void CXmlClass::setNodeText(const wchar_t* path, CY value, const wchar_t* parentPath) {
  BString text;
  ddCOM::CheckHResult(VarBstrFromCy(value, kEnglishUS, LOCALE_NOUSEROVERRIDE, text.RetVal()));
  setNodeText(path, text, parentPath);
  IXMLDOMNodePtr node = getNode(path, parentPath);
  if (node == nullptr) return;
  IXMLDOMNodePtr prefix = internal::AttributeOf(node, L"PREFIX");
  if (prefix == nullptr) return;
  prefix->Puttext(value.int64 < 0 ? L"-" : L"+");
}

void CXmlClass::setNodeText(const wchar_t* path, SYSTEMTIME& value, const wchar_t* parentPath) {
  char text[16];
  setNodeAttrText(path, internal::kYearAttribute, static_cast<LONG>(value.wYear), parentPath);
  std::snprintf(text, sizeof text, "%02d", value.wMonth);
  setNodeAttrText(path, internal::kMonthAttribute, text, parentPath);
  std::snprintf(text, sizeof text, "%02d", value.wDay);
  setNodeAttrText(path, internal::kDayAttribute, text, parentPath);
}

void CXmlClass::setNodeAttrText(const wchar_t* path, const wchar_t* attribute, const char* value,
                                const wchar_t* parentPath) {
  IXMLDOMNodePtr node = getNode(path, parentPath);
  if (node == nullptr) return;
  IXMLDOMNodePtr found = internal::AttributeOf(node, attribute);
  if (found == nullptr) return;
  found->Puttext(value == nullptr ? _bstr_t(L"") : _bstr_t(value));
}

void CXmlClass::setNodeAttrText(const wchar_t* path, const wchar_t* attribute, LONG value,
                                const wchar_t* parentPath) {
  char text[12];
  _ltoa(value, text, 10);
  setNodeAttrText(path, attribute, static_cast<const char*>(text), parentPath);
}

void CXmlClass::setNodeTextIfEmpty(const wchar_t* path, const wchar_t* value,
                                   const wchar_t* parentPath) {
  if (getNodeText(path, parentPath).IsEmpty()) setNodeText(path, value, parentPath);
}

void CXmlClass::updateElement(const wchar_t* parentPath, const wchar_t* childName,
                              const char* value) {
  IXMLDOMNodePtr parent = getNode(parentPath);
  if (parent == nullptr) return;
  IXMLDOMNodePtr child = parent->selectSingleNode(childName);
  if (child == nullptr) {
    createElement(parentPath, childName, value);
  } else if (value != nullptr) {
    child->Puttext(_bstr_t(value));
  }
}

void CXmlClass::appendChild(const wchar_t* parentPath, const IXMLDOMNodePtr& node) {
  IXMLDOMNodePtr parent = selectSingle(parentPath);
  if (parent == nullptr || node == nullptr) return;
  parent->appendChild(node->cloneNode(VARIANT_TRUE));
}

void CXmlClass::appendChild(const wchar_t* parentPath, CXmlClass& other) {
  IXMLDOMNodePtr parent = selectSingle(parentPath);
  if (other.isEmpty()) return;
  // Another document without a root, or a missing parent, raises E_POINTER.
  IXMLDOMNodePtr copy = other.m_doc->GetdocumentElement()->cloneNode(VARIANT_TRUE);
  parent->appendChild(copy);
}

void CXmlClass::appendChilds(const wchar_t* parentPath, const IXMLDOMNodeListPtr& nodes) {
  for (LONG i = 0; i < nodes->Getlength(); ++i) appendChild(parentPath, nodes->Getitem(i));
}

void CXmlClass::removeNode(const wchar_t* path) {
  IXMLDOMNodePtr node = selectSingle(path);
  if (node == nullptr) ddCOM::RaiseHResult(E_INVALIDARG);
  IXMLDOMNodePtr parent = node->GetparentNode();
  if (parent != nullptr) parent->removeChild(node);
}

void CXmlClass::removeNodes(const wchar_t* path) {
  if (!internal::IsElementNamePath(path)) {
    // Stops at the first match that has no parent (an attribute, the
    // document): it cannot be removed and would be found again forever.
    for (IXMLDOMNodePtr node = getNode(path); node != nullptr; node = getNode(path)) {
      IXMLDOMNodePtr parent = node->GetparentNode();
      if (parent == nullptr) return;
      parent->removeChild(node);
    }
    return;
  }
  // Removing matches of a name path changes no other match, so one search
  // gives the matches that searching again after each removal would give,
  // without its quadratic cost: all of them but those inside a removed one.
  if (m_doc == nullptr) return;
  IXMLDOMElementPtr root = m_doc->GetdocumentElement();
  if (root == nullptr) return;
  IXMLDOMNodeListPtr matches = root->selectNodes(path);
  IXMLDOMNodePtr removed;
  for (IXMLDOMNodePtr node = matches->nextNode(); node != nullptr; node = matches->nextNode()) {
    // In document order the matches inside a removed one follow it directly.
    if (removed != nullptr && IsInside(node, removed)) continue;
    IXMLDOMNodePtr parent = node->GetparentNode();
    if (parent == nullptr) return;
    parent->removeChild(node);
    removed = node;
  }
}

}  // namespace ddXML
