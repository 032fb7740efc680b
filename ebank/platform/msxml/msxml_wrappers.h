// Bodies of the raising wrappers of the XML DOM interfaces.
//
// Each wrapper calls its COM method and throws _com_error (with the thread's
// error object, when the object set one) for a failing HRESULT; results come
// back as smart pointers, _bstr_t and _variant_t that own them. Include
// "ebank/platform/msxml/msxml.h" rather than this file.
#ifndef EBANK_PLATFORM_MSXML_MSXML_WRAPPERS_H_
#define EBANK_PLATFORM_MSXML_MSXML_WRAPPERS_H_

#include <type_traits>

#include "ebank/platform/com/com_support.h"
#include "ebank/platform/msxml/xml_dom_document2.h"
#include "ebank/platform/msxml/xml_dom_element.h"
#include "ebank/platform/msxml/xml_dom_named_node_map.h"
#include "ebank/platform/msxml/xml_dom_node_list.h"
#include "ebank/platform/msxml/xml_dom_parse_error.h"
#include "ebank/platform/msxml/xsl_processor.h"
#include "ebank/platform/msxml/xsl_template.h"

EBANK_COM_SMARTPTR_TYPEDEF(IXMLDOMNode, IID_IXMLDOMNode);
EBANK_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument, IID_IXMLDOMDocument);
EBANK_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument2, IID_IXMLDOMDocument2);
EBANK_COM_SMARTPTR_TYPEDEF(IXMLDOMElement, IID_IXMLDOMElement);
EBANK_COM_SMARTPTR_TYPEDEF(IXMLDOMNodeList, IID_IXMLDOMNodeList);
EBANK_COM_SMARTPTR_TYPEDEF(IXMLDOMNamedNodeMap, IID_IXMLDOMNamedNodeMap);
EBANK_COM_SMARTPTR_TYPEDEF(IXMLDOMParseError, IID_IXMLDOMParseError);
EBANK_COM_SMARTPTR_TYPEDEF(IXSLTemplate, IID_IXSLTemplate);
EBANK_COM_SMARTPTR_TYPEDEF(IXSLProcessor, IID_IXSLProcessor);

namespace ebank::platform::msxml_detail {

inline void Check(HRESULT hr, IUnknown* object, REFIID iid) {
  if (FAILED(hr)) _com_issue_errorex(hr, object, iid);
}

// Runs `call` with an out parameter of type Raw and hands the result to
// Result, which takes over the reference or string (never a second copy).
template <typename Result, typename Raw, typename Call>
Result Fetch(IUnknown* object, REFIID iid, Call call) {
  Raw raw{};
  Check(call(&raw), object, iid);
  if constexpr (std::is_same_v<Result, _bstr_t>) {
    return _bstr_t(raw, false);
  } else if constexpr (std::is_same_v<Result, _variant_t>) {
    return _variant_t(raw, false);
  } else if constexpr (std::is_pointer_v<Raw>) {
    return Result(raw, false);
  } else {
    return raw;
  }
}

}  // namespace ebank::platform::msxml_detail

#define EBANK_MSXML_FETCH(Result, Raw, Interface, call)                    \
  ebank::platform::msxml_detail::Fetch<Result, Raw>(this, IID_##Interface, \
                                                    [&](Raw* out) { return this->call; })
#define EBANK_MSXML_CHECK(Interface, call) \
  ebank::platform::msxml_detail::Check(call, this, IID_##Interface)

// IXMLDOMNode
inline _bstr_t IXMLDOMNode::GetnodeName() {
  return EBANK_MSXML_FETCH(_bstr_t, BSTR, IXMLDOMNode, get_nodeName(out));
}
inline DOMNodeType IXMLDOMNode::GetnodeType() {
  return EBANK_MSXML_FETCH(DOMNodeType, DOMNodeType, IXMLDOMNode, get_nodeType(out));
}
inline IXMLDOMNodePtr IXMLDOMNode::GetparentNode() {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNode, get_parentNode(out));
}
inline IXMLDOMNodeListPtr IXMLDOMNode::GetchildNodes() {
  return EBANK_MSXML_FETCH(IXMLDOMNodeListPtr, IXMLDOMNodeList*, IXMLDOMNode, get_childNodes(out));
}
inline IXMLDOMNodePtr IXMLDOMNode::GetfirstChild() {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNode, get_firstChild(out));
}
inline IXMLDOMNamedNodeMapPtr IXMLDOMNode::Getattributes() {
  return EBANK_MSXML_FETCH(IXMLDOMNamedNodeMapPtr, IXMLDOMNamedNodeMap*, IXMLDOMNode,
                           get_attributes(out));
}
inline IXMLDOMDocumentPtr IXMLDOMNode::GetownerDocument() {
  return EBANK_MSXML_FETCH(IXMLDOMDocumentPtr, IXMLDOMDocument*, IXMLDOMNode,
                           get_ownerDocument(out));
}
inline _bstr_t IXMLDOMNode::Gettext() {
  return EBANK_MSXML_FETCH(_bstr_t, BSTR, IXMLDOMNode, get_text(out));
}
inline void IXMLDOMNode::Puttext(const _bstr_t& text) {
  EBANK_MSXML_CHECK(IXMLDOMNode, put_text(static_cast<BSTR>(text)));
}
inline _bstr_t IXMLDOMNode::Getxml() {
  return EBANK_MSXML_FETCH(_bstr_t, BSTR, IXMLDOMNode, get_xml(out));
}
inline IXMLDOMNodePtr IXMLDOMNode::selectSingleNode(const _bstr_t& xpath) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNode,
                           selectSingleNode(static_cast<BSTR>(xpath), out));
}
inline IXMLDOMNodeListPtr IXMLDOMNode::selectNodes(const _bstr_t& xpath) {
  return EBANK_MSXML_FETCH(IXMLDOMNodeListPtr, IXMLDOMNodeList*, IXMLDOMNode,
                           selectNodes(static_cast<BSTR>(xpath), out));
}
inline IXMLDOMNodePtr IXMLDOMNode::cloneNode(VARIANT_BOOL deep) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNode, cloneNode(deep, out));
}
inline IXMLDOMNodePtr IXMLDOMNode::appendChild(IXMLDOMNode* child) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNode, appendChild(child, out));
}
inline IXMLDOMNodePtr IXMLDOMNode::removeChild(IXMLDOMNode* child) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNode, removeChild(child, out));
}
inline _bstr_t IXMLDOMNode::transformNode(IXMLDOMNode* stylesheet) {
  return EBANK_MSXML_FETCH(_bstr_t, BSTR, IXMLDOMNode, transformNode(stylesheet, out));
}

// IXMLDOMElement
inline _variant_t IXMLDOMElement::getAttribute(const _bstr_t& name) {
  return EBANK_MSXML_FETCH(_variant_t, VARIANT, IXMLDOMElement,
                           getAttribute(static_cast<BSTR>(name), out));
}
inline void IXMLDOMElement::setAttribute(const _bstr_t& name, const _variant_t& value) {
  EBANK_MSXML_CHECK(IXMLDOMElement,
                    setAttribute(static_cast<BSTR>(name), static_cast<const VARIANT&>(value)));
}

// IXMLDOMNodeList
inline IXMLDOMNodePtr IXMLDOMNodeList::Getitem(LONG index) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNodeList, get_item(index, out));
}
inline LONG IXMLDOMNodeList::Getlength() {
  return EBANK_MSXML_FETCH(LONG, LONG, IXMLDOMNodeList, get_length(out));
}
inline IXMLDOMNodePtr IXMLDOMNodeList::nextNode() {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNodeList, nextNode(out));
}

// IXMLDOMNamedNodeMap
inline IXMLDOMNodePtr IXMLDOMNamedNodeMap::getNamedItem(const _bstr_t& name) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNamedNodeMap,
                           getNamedItem(static_cast<BSTR>(name), out));
}
inline IXMLDOMNodePtr IXMLDOMNamedNodeMap::Getitem(LONG index) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMNamedNodeMap, get_item(index, out));
}
inline LONG IXMLDOMNamedNodeMap::Getlength() {
  return EBANK_MSXML_FETCH(LONG, LONG, IXMLDOMNamedNodeMap, get_length(out));
}

// IXMLDOMParseError
inline LONG IXMLDOMParseError::GeterrorCode() {
  return EBANK_MSXML_FETCH(LONG, LONG, IXMLDOMParseError, get_errorCode(out));
}
inline _bstr_t IXMLDOMParseError::Geturl() {
  return EBANK_MSXML_FETCH(_bstr_t, BSTR, IXMLDOMParseError, get_url(out));
}
inline _bstr_t IXMLDOMParseError::Getreason() {
  return EBANK_MSXML_FETCH(_bstr_t, BSTR, IXMLDOMParseError, get_reason(out));
}
inline _bstr_t IXMLDOMParseError::GetsrcText() {
  return EBANK_MSXML_FETCH(_bstr_t, BSTR, IXMLDOMParseError, get_srcText(out));
}
inline LONG IXMLDOMParseError::Getline() {
  return EBANK_MSXML_FETCH(LONG, LONG, IXMLDOMParseError, get_line(out));
}
inline LONG IXMLDOMParseError::Getlinepos() {
  return EBANK_MSXML_FETCH(LONG, LONG, IXMLDOMParseError, get_linepos(out));
}
inline LONG IXMLDOMParseError::Getfilepos() {
  return EBANK_MSXML_FETCH(LONG, LONG, IXMLDOMParseError, get_filepos(out));
}

// IXMLDOMDocument
inline IXMLDOMElementPtr IXMLDOMDocument::GetdocumentElement() {
  return EBANK_MSXML_FETCH(IXMLDOMElementPtr, IXMLDOMElement*, IXMLDOMDocument,
                           get_documentElement(out));
}
inline void IXMLDOMDocument::PutRefdocumentElement(IXMLDOMElement* element) {
  EBANK_MSXML_CHECK(IXMLDOMDocument, putref_documentElement(element));
}
inline IXMLDOMElementPtr IXMLDOMDocument::createElement(const _bstr_t& name) {
  return EBANK_MSXML_FETCH(IXMLDOMElementPtr, IXMLDOMElement*, IXMLDOMDocument,
                           createElement(static_cast<BSTR>(name), out));
}
inline IXMLDOMNodePtr IXMLDOMDocument::createTextNode(const _bstr_t& text) {
  return EBANK_MSXML_FETCH(IXMLDOMNodePtr, IXMLDOMNode*, IXMLDOMDocument,
                           createTextNode(static_cast<BSTR>(text), out));
}
inline IXMLDOMParseErrorPtr IXMLDOMDocument::GetparseError() {
  return EBANK_MSXML_FETCH(IXMLDOMParseErrorPtr, IXMLDOMParseError*, IXMLDOMDocument,
                           get_parseError(out));
}
inline VARIANT_BOOL IXMLDOMDocument::Getasync() {
  return EBANK_MSXML_FETCH(VARIANT_BOOL, VARIANT_BOOL, IXMLDOMDocument, get_async(out));
}
inline void IXMLDOMDocument::Putasync(VARIANT_BOOL async) {
  EBANK_MSXML_CHECK(IXMLDOMDocument, put_async(async));
}
inline void IXMLDOMDocument::PutvalidateOnParse(VARIANT_BOOL validate) {
  EBANK_MSXML_CHECK(IXMLDOMDocument, put_validateOnParse(validate));
}
inline void IXMLDOMDocument::PutresolveExternals(VARIANT_BOOL resolve) {
  EBANK_MSXML_CHECK(IXMLDOMDocument, put_resolveExternals(resolve));
}
inline VARIANT_BOOL IXMLDOMDocument::GetpreserveWhiteSpace() {
  return EBANK_MSXML_FETCH(VARIANT_BOOL, VARIANT_BOOL, IXMLDOMDocument,
                           get_preserveWhiteSpace(out));
}
inline void IXMLDOMDocument::PutpreserveWhiteSpace(VARIANT_BOOL preserve) {
  EBANK_MSXML_CHECK(IXMLDOMDocument, put_preserveWhiteSpace(preserve));
}
inline VARIANT_BOOL IXMLDOMDocument::load(const _variant_t& source) {
  return EBANK_MSXML_FETCH(VARIANT_BOOL, VARIANT_BOOL, IXMLDOMDocument,
                           load(static_cast<const VARIANT&>(source), out));
}
inline VARIANT_BOOL IXMLDOMDocument::loadXML(const _bstr_t& xml) {
  return EBANK_MSXML_FETCH(VARIANT_BOOL, VARIANT_BOOL, IXMLDOMDocument,
                           loadXML(static_cast<BSTR>(xml), out));
}
inline void IXMLDOMDocument::save(const _variant_t& destination) {
  EBANK_MSXML_CHECK(IXMLDOMDocument, save(static_cast<const VARIANT&>(destination)));
}

// IXMLDOMDocument2
inline void IXMLDOMDocument2::setProperty(const _bstr_t& name, const _variant_t& value) {
  EBANK_MSXML_CHECK(IXMLDOMDocument2,
                    setProperty(static_cast<BSTR>(name), static_cast<const VARIANT&>(value)));
}
inline _variant_t IXMLDOMDocument2::getProperty(const _bstr_t& name) {
  return EBANK_MSXML_FETCH(_variant_t, VARIANT, IXMLDOMDocument2,
                           getProperty(static_cast<BSTR>(name), out));
}

// IXSLTemplate
inline void IXSLTemplate::PutRefstylesheet(IXMLDOMNode* stylesheet) {
  EBANK_MSXML_CHECK(IXSLTemplate, putref_stylesheet(stylesheet));
}
inline IXSLProcessorPtr IXSLTemplate::createProcessor() {
  return EBANK_MSXML_FETCH(IXSLProcessorPtr, IXSLProcessor*, IXSLTemplate, createProcessor(out));
}

// IXSLProcessor
inline void IXSLProcessor::Putinput(const _variant_t& input) {
  EBANK_MSXML_CHECK(IXSLProcessor, put_input(static_cast<const VARIANT&>(input)));
}
inline VARIANT_BOOL IXSLProcessor::transform() {
  return EBANK_MSXML_FETCH(VARIANT_BOOL, VARIANT_BOOL, IXSLProcessor, transform(out));
}
inline _variant_t IXSLProcessor::Getoutput() {
  return EBANK_MSXML_FETCH(_variant_t, VARIANT, IXSLProcessor, get_output(out));
}

#undef EBANK_MSXML_FETCH
#undef EBANK_MSXML_CHECK

#endif  // EBANK_PLATFORM_MSXML_MSXML_WRAPPERS_H_
