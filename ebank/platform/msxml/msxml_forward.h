// Forward declarations of the XML DOM interfaces and their smart pointers.
//
// The interfaces refer to one another (a node answers with node lists, a list
// with nodes), so each interface header starts from these declarations. The
// smart pointer types are complete once "ebank/platform/msxml/msxml.h" is
// included.
#ifndef EBANK_PLATFORM_MSXML_MSXML_FORWARD_H_
#define EBANK_PLATFORM_MSXML_MSXML_FORWARD_H_

#include "ebank/platform/msxml/msxml_ids.h"

struct IXMLDOMNode;
struct IXMLDOMDocument;
struct IXMLDOMDocument2;
struct IXMLDOMElement;
struct IXMLDOMNodeList;
struct IXMLDOMNamedNodeMap;
struct IXMLDOMParseError;
struct IXSLTemplate;
struct IXSLProcessor;

class _bstr_t;
class _variant_t;
template <typename Interface, const IID* iid>
class _com_IIID;
template <typename IIID>
class _com_ptr_t;

using IXMLDOMNodePtr = _com_ptr_t<_com_IIID<IXMLDOMNode, &IID_IXMLDOMNode>>;
using IXMLDOMDocumentPtr = _com_ptr_t<_com_IIID<IXMLDOMDocument, &IID_IXMLDOMDocument>>;
using IXMLDOMDocument2Ptr = _com_ptr_t<_com_IIID<IXMLDOMDocument2, &IID_IXMLDOMDocument2>>;
using IXMLDOMElementPtr = _com_ptr_t<_com_IIID<IXMLDOMElement, &IID_IXMLDOMElement>>;
using IXMLDOMNodeListPtr = _com_ptr_t<_com_IIID<IXMLDOMNodeList, &IID_IXMLDOMNodeList>>;
using IXMLDOMNamedNodeMapPtr = _com_ptr_t<_com_IIID<IXMLDOMNamedNodeMap, &IID_IXMLDOMNamedNodeMap>>;
using IXMLDOMParseErrorPtr = _com_ptr_t<_com_IIID<IXMLDOMParseError, &IID_IXMLDOMParseError>>;
using IXSLTemplatePtr = _com_ptr_t<_com_IIID<IXSLTemplate, &IID_IXSLTemplate>>;
using IXSLProcessorPtr = _com_ptr_t<_com_IIID<IXSLProcessor, &IID_IXSLProcessor>>;

#endif  // EBANK_PLATFORM_MSXML_MSXML_FORWARD_H_
