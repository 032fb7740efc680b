#include "ebank/platform/msxml/internal/dom_document.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "ebank/platform/msxml/internal/dom_parse_error.h"
#include "ebank/platform/msxml/internal/node_names.h"
#include "ebank/platform/msxml/internal/node_wrapping.h"
#include "ebank/platform/msxml/internal/text_conversion.h"
#include "ebank/platform/msxml/internal/tree_edit.h"
#include "ebank/platform/msxml/internal/xml_serializer.h"
#include "ebank/platform/msxml/xml_dom_element.h"

namespace ebank::platform::msxml {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

HRESULT FileError(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return E_ACCESSDENIED;
    default:
      return E_FAIL;
  }
}

// The path a VARIANT names: only strings are accepted.
bool PathOf(const VARIANT& value, std::string* path) {
  if (value.vt != VT_BSTR) return false;
  *path = BstrToUtf8(value.bstrVal);
  return path->find('\0') == std::string::npos;
}

bool ReadWholeFile(const std::string& path, std::string* bytes, int* error_number) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    *error_number = errno;
    return false;
  }
  char buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    bytes->append(buffer, count);
  if (std::ferror(file.get())) {
    *error_number = EIO;
    return false;
  }
  return true;
}

bool IsSelectionLanguage(const std::string& name) {
  return name == "SelectionLanguage";
}

}  // namespace

IXMLDOMDocument2* DomDocument::Create(RefPtr<DocumentOwner> owner) {
  return new DomDocument(std::move(owner));
}

IXMLDOMDocument2* DomDocument::CreateEmpty() {
  RefPtr<DocumentOwner> owner = DocumentOwner::CreateEmpty();
  if (!owner) return nullptr;
  return new (std::nothrow) DomDocument(std::move(owner));
}

DomDocument::DomDocument(RefPtr<DocumentOwner> owner)
    : NodeBase(reinterpret_cast<xmlNodePtr>(owner->doc()), owner) {
  owner->set_document_object(this);
}

DomDocument::~DomDocument() {
  if (owner()->document_object() == this) owner()->set_document_object(nullptr);
}

bool DomDocument::Supports(REFIID iid) const {
  return IsEqualIID(iid, IID_IXMLDOMNode) || IsEqualIID(iid, IID_IXMLDOMDocument) ||
         IsEqualIID(iid, IID_IXMLDOMDocument2);
}

HRESULT DomDocument::Adopt(ParseOutcome outcome, VARIANT_BOOL* success) {
  RefPtr<DocumentOwner> owner =
      outcome.doc != nullptr ? DocumentOwner::Create(outcome.doc) : DocumentOwner::CreateEmpty();
  if (!owner) return Fail(E_OUTOFMEMORY, "Not enough memory for the document.");
  owner->set_has_declaration(outcome.has_declaration);
  owner->set_preserves_white_space(this->owner()->preserves_white_space());
  if (this->owner()->document_object() == this) this->owner()->set_document_object(nullptr);
  owner->set_document_object(this);
  Reset(reinterpret_cast<xmlNodePtr>(owner->doc()), owner);
  last_failure_ = std::move(outcome.failure);
  const bool parsed = outcome.doc != nullptr;
  if (success != nullptr) *success = parsed ? VARIANT_TRUE : VARIANT_FALSE;
  return parsed ? S_OK : S_FALSE;
}

STDMETHODIMP DomDocument::get_documentElement(IXMLDOMElement** element) {
  return Run([&] {
    return ReturnNodeAs(xmlDocGetRootElement(owner()->doc()), IID_IXMLDOMElement, element);
  });
}

STDMETHODIMP DomDocument::putref_documentElement(IXMLDOMElement* element) {
  return Run([&]() -> HRESULT {
    NodeCore* core = element != nullptr ? NodeCore::FromInterface(element) : nullptr;
    if (core == nullptr) return Fail(E_INVALIDARG, "The document element is missing.");
    HRESULT hr = InsertChild(node(), core->node(), xmlDocGetRootElement(owner()->doc()));
    return SUCCEEDED(hr) ? hr : Fail(hr, "This node cannot be the document element.");
  });
}

STDMETHODIMP DomDocument::createElement(BSTR name, IXMLDOMElement** element) {
  return Run([&]() -> HRESULT {
    if (element == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    *element = nullptr;
    const std::string utf8 = BstrToUtf8(name);
    if (!IsValidName(utf8)) return Fail(E_FAIL, "'" + utf8 + "' is not a valid element name.");
    xmlNodePtr created = xmlNewDocNode(owner()->doc(), nullptr,
                                       reinterpret_cast<const xmlChar*>(utf8.c_str()), nullptr);
    if (created == nullptr) return Fail(E_OUTOFMEMORY, "The element cannot be created.");
    owner()->AddDetachedRoot(created);
    return ReturnNodeAs(created, IID_IXMLDOMElement, element);
  });
}

STDMETHODIMP DomDocument::createTextNode(BSTR text, IXMLDOMNode** node) {
  return Run([&]() -> HRESULT {
    if (node == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    *node = nullptr;
    const std::string utf8 = BstrToUtf8(text);
    xmlNodePtr created =
        xmlNewDocText(owner()->doc(), reinterpret_cast<const xmlChar*>(utf8.c_str()));
    if (created == nullptr) return Fail(E_OUTOFMEMORY, "The text node cannot be created.");
    owner()->AddDetachedRoot(created);
    return ReturnNode(created, node);
  });
}

STDMETHODIMP DomDocument::get_parseError(IXMLDOMParseError** error) {
  return Run([&]() -> HRESULT {
    if (error == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    *error = DomParseError::Create(last_failure_);
    return S_OK;
  });
}

STDMETHODIMP DomDocument::get_async(VARIANT_BOOL* async) {
  if (async == nullptr) return Fail(E_POINTER, "A result pointer is null.");
  *async = async_;
  return S_OK;
}

STDMETHODIMP DomDocument::put_async(VARIANT_BOOL async) {
  async_ = async;
  return S_OK;
}

// Validation and external resources are never used; the settings are accepted
// so that callers that switch them off work unchanged.
STDMETHODIMP DomDocument::put_validateOnParse(VARIANT_BOOL) {
  return S_OK;
}
STDMETHODIMP DomDocument::put_resolveExternals(VARIANT_BOOL) {
  return S_OK;
}

STDMETHODIMP DomDocument::get_preserveWhiteSpace(VARIANT_BOOL* preserve) {
  if (preserve == nullptr) return Fail(E_INVALIDARG, "A result pointer is null.");
  *preserve = owner()->preserves_white_space() ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP DomDocument::put_preserveWhiteSpace(VARIANT_BOOL preserve) {
  owner()->set_preserves_white_space(preserve != VARIANT_FALSE);
  return S_OK;
}

STDMETHODIMP DomDocument::load(VARIANT source, VARIANT_BOOL* success) {
  return Run([&]() -> HRESULT {
    if (success != nullptr) *success = VARIANT_FALSE;
    std::string path;
    if (!PathOf(source, &path)) return Fail(E_INVALIDARG, "The source must be a file path.");
    std::string bytes;
    int error_number = 0;
    if (!ReadWholeFile(path, &bytes, &error_number)) {
      return Adopt(FileNotRead(path, error_number), success);
    }
    return Adopt(ParseFileBytes(bytes, path, owner()->preserves_white_space()), success);
  });
}

STDMETHODIMP DomDocument::loadXML(BSTR xml, VARIANT_BOOL* success) {
  return Run(
      [&] { return Adopt(ParseText(BstrToUtf8(xml), owner()->preserves_white_space()), success); });
}

STDMETHODIMP DomDocument::save(VARIANT destination) {
  return Run([&]() -> HRESULT {
    std::string path;
    if (!PathOf(destination, &path)) return Fail(E_INVALIDARG, "The destination must be a path.");
    const std::string text = SerializeDocument(*owner());
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) return Fail(FileError(errno), "The file '" + path + "' cannot be written.");
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    if (!written || std::fclose(file.release()) != 0) {
      return Fail(E_FAIL, "The file '" + path + "' could not be written completely.");
    }
    return S_OK;
  });
}

STDMETHODIMP DomDocument::setProperty(BSTR name, VARIANT value) {
  return Run([&]() -> HRESULT {
    if (!IsSelectionLanguage(BstrToUtf8(name))) return Fail(E_INVALIDARG, "Unknown property.");
    if (value.vt != VT_BSTR || BstrToUtf8(value.bstrVal) != "XPath") {
      return Fail(E_INVALIDARG, "The only selection language is XPath.");
    }
    return S_OK;
  });
}

STDMETHODIMP DomDocument::getProperty(BSTR name, VARIANT* value) {
  return Run([&]() -> HRESULT {
    if (value == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    value->vt = VT_EMPTY;
    if (!IsSelectionLanguage(BstrToUtf8(name))) return Fail(E_INVALIDARG, "Unknown property.");
    HRESULT hr = Utf8ToNewBstr("XPath", &value->bstrVal);
    if (FAILED(hr)) return Fail(hr, "Not enough memory.");
    value->vt = VT_BSTR;
    return S_OK;
  });
}

}  // namespace ebank::platform::msxml
