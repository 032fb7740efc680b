// The reading side of CXmlClass: nodes, texts, numbers, amounts and dates
// found by XPath from the root element.
#include <cstdarg>
#include <cstdint>

#include "ebank/core/raise.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/platform/win32/wide_string.h"
#include "ebank/xml/internal/attribute_of.h"
#include "ebank/xml/internal/date_attributes.h"
#include "ebank/xml/internal/narrowed_text.h"
#include "ebank/xml/internal/xml_path.h"
#include "ebank/xml/xml_class.h"

namespace ddXML {
namespace {

using internal::FormattedPath;
using internal::JoinedPath;

// Amounts in the document are written in English notation.
constexpr LCID kEnglish = 0x0009;

BSTR AllocateCopy(const wchar_t* text, UINT length) {
  BSTR copy = SysAllocStringLen(text, length);
  if (copy == nullptr) ddCOM::RaiseHResult(E_OUTOFMEMORY);
  return copy;
}

}  // namespace

// Raises _com_error(E_POINTER) without a document or document element, as
// the calls through the null smart pointers do.
IXMLDOMElementPtr CXmlClass::rootElement() const {
  return m_doc->GetdocumentElement();
}

IXMLDOMNodePtr CXmlClass::selectSingle(const wchar_t* path) const {
  return rootElement()->selectSingleNode(path);
}

IXMLDOMNodeListPtr CXmlClass::selectAll(const wchar_t* path) const {
  return rootElement()->selectNodes(path);
}

IXMLDOMNodePtr CXmlClass::getNode(const wchar_t* path, const wchar_t* parentPath) const {
  if (m_doc == nullptr) return nullptr;
  IXMLDOMElementPtr root = m_doc->GetdocumentElement();
  if (root == nullptr) return nullptr;
  const JoinedPath effective(path, parentPath);
  return root->selectSingleNode(effective.get());
}

IXMLDOMNodePtr CXmlClass::getNodeEx(const wchar_t* format, ...) const {
  va_list args;
  va_start(args, format);
  const FormattedPath path(format, args);
  va_end(args);
  return path.formatted() ? getNode(path.get()) : nullptr;
}

IXMLDOMNodeListPtr CXmlClass::getNodes(const wchar_t* path) const {
  return selectAll(path);
}

IXMLDOMNodeListPtr CXmlClass::getNodesEx(const wchar_t* format, ...) const {
  va_list args;
  va_start(args, format);
  const FormattedPath path(format, args);
  va_end(args);
  return path.formatted() ? selectAll(path.get()) : nullptr;
}

LONG CXmlClass::getNrOfNodes(const wchar_t* path) const {
  IXMLDOMNodeListPtr nodes = selectAll(path);
  return nodes == nullptr ? -1 : nodes->Getlength();
}

bool CXmlClass::isNodeFound(const wchar_t* path, const wchar_t* parentPath) const {
  return getNode(path, parentPath) != nullptr;
}

bool CXmlClass::isNodeFoundEx(const wchar_t* format, ...) const {
  va_list args;
  va_start(args, format);
  const FormattedPath path(format, args);
  va_end(args);
  return path.formatted() && getNode(path.get()) != nullptr;
}

bool CXmlClass::isNodeFoundAndNotEmpty(const wchar_t* path, const wchar_t* parentPath) const {
  IXMLDOMNodePtr node = getNode(path, parentPath);
  return node != nullptr && node->Gettext().length() > 0;
}

CXmlClass::BString CXmlClass::getNodeText(const wchar_t* path, const wchar_t* parentPath) const {
  if (m_doc == nullptr) ddCOM::RaiseHResult(E_INVALIDARG);
  const JoinedPath effective(path, parentPath);
  IXMLDOMNodePtr node = selectSingle(effective.get());
  if (node == nullptr) return BString();
  return internal::NarrowedText(node->Gettext());
}

CXmlClass::BString CXmlClass::getNodeText(const wchar_t* path, LONG maxLength,
                                          const wchar_t* parentPath) const {
  BString text = getNodeText(path, parentPath);
  // Compared unsigned: a negative maximum never cuts.
  text.Truncate(static_cast<UINT>(maxLength));
  return text;
}

CXmlClass::BString CXmlClass::getNodeTextEx(const wchar_t* format, ...) const {
  va_list args;
  va_start(args, format);
  const FormattedPath path(format, args);
  va_end(args);
  return path.formatted() ? getNodeText(path.get()) : BString();
}

LONG CXmlClass::getNodeLong(const wchar_t* path, const wchar_t* parentPath) const {
  const BString text = getNodeText(path, parentPath);
  return text.IsEmpty() ? 0 : _wtol(text.ByVal());
}

wchar_t* CXmlClass::getNodeBSTR(const wchar_t* path, const wchar_t* parentPath) {
  const BString text = getNodeText(path, parentPath);
  return keepString(AllocateCopy(text.ByVal(), text.Length()));
}

wchar_t* CXmlClass::getNodeBSTR(const wchar_t* path, LONG maxLength, const wchar_t* parentPath) {
  const BString text = getNodeText(path, maxLength, parentPath);
  return keepString(text.IsEmpty() ? nullptr : text.Copy());
}

wchar_t* CXmlClass::getNodeAttrBSTR(const wchar_t* path, const wchar_t* attribute,
                                    const wchar_t* parentPath) {
  IXMLDOMNodePtr node = getNode(path, parentPath);
  IXMLDOMNodePtr found = node == nullptr ? nullptr : internal::AttributeOf(node, attribute);
  if (found == nullptr) return keepString(AllocateCopy(L"", 0));
  const _bstr_t value = found->Gettext();
  return keepString(AllocateCopy(value, value.length()));
}

LONG CXmlClass::getNodeAttrLong(const wchar_t* path, const wchar_t* attribute,
                                const wchar_t* parentPath) {
  return _wtol(getNodeAttrBSTR(path, attribute, parentPath));
}

CY CXmlClass::getNodeCurrency(const wchar_t* path, const wchar_t* parentPath) const {
  CY amount{};
  IXMLDOMNodePtr node = getNode(path, parentPath);
  if (node == nullptr) return amount;
  ddCOM::CheckHResult(VarCyFromStr(node->Gettext(), kEnglish, LOCALE_NOUSEROVERRIDE, &amount));
  // An amount element must carry its sign: a missing PREFIX raises E_POINTER.
  IXMLDOMNodePtr prefix = internal::AttributeOf(node, L"PREFIX");
  const _bstr_t sign = prefix->Gettext();
  if (sign.length() == 1 && static_cast<const wchar_t*>(sign)[0] == L'-') {
    // The most negative amount has no positive counterpart.
    if (amount.int64 == INT64_MIN) ddCOM::CheckHResult(DISP_E_OVERFLOW);
    amount.int64 = -amount.int64;
  }
  return amount;
}

SYSTEMTIME CXmlClass::getNodeDate(const wchar_t* path, const wchar_t* parentPath) {
  SYSTEMTIME date{};
  if (getNode(path, parentPath) == nullptr) return date;
  date.wYear = static_cast<WORD>(getNodeAttrLong(path, internal::kYearAttribute, parentPath));
  date.wMonth = static_cast<WORD>(getNodeAttrLong(path, internal::kMonthAttribute, parentPath));
  date.wDay = static_cast<WORD>(getNodeAttrLong(path, internal::kDayAttribute, parentPath));
  return date;
}

}  // namespace ddXML
