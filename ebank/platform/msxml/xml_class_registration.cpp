// Registers the document, free-threaded document and XSL template classes in
// the in-process class table when the platform library is loaded, so that
// CoCreateInstance and CLSIDFromProgID find them without any set-up call (the
// table is created on first use, so the order of static initialisation does
// not matter).
#include <new>

#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/msxml/internal/dom_document.h"
#include "ebank/platform/msxml/internal/libxml_errors.h"
#include "ebank/platform/msxml/internal/xsl_template_object.h"
#include "ebank/platform/msxml/msxml_ids.h"

namespace ebank::platform::msxml {
namespace {

// A class factory with static lifetime: references are only counted.
class XmlClassFactory final
    : public ScopedComObject<Implements<IClassFactory, &IID_IClassFactory>> {
 public:
  using Creator = IUnknown* (*)();
  explicit XmlClassFactory(Creator creator) : creator_(creator) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    InitializeXmlLibraries();
    IUnknown* created = creator_();
    if (created == nullptr) return E_OUTOFMEMORY;
    HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  Creator creator_;
};

IUnknown* CreateDocument() {
  return DomDocument::CreateEmpty();
}
IUnknown* CreateTemplate() {
  return XslTemplateObject::Create();
}

XmlClassFactory document_factory(CreateDocument);
XmlClassFactory template_factory(CreateTemplate);

bool RegisterXmlClasses() {
  RegisterClassFactory(CLSID_DOMDocument30, L"Msxml2.DOMDocument.3.0", &document_factory);
  RegisterClassFactory(CLSID_FreeThreadedDOMDocument, L"MSXML2.FreeThreadedDOMDocument",
                       &document_factory);
  RegisterClassFactory(CLSID_XSLTemplate, L"MSXML2.XSLTemplate", &template_factory);
  return true;
}

[[maybe_unused]] const bool registered = RegisterXmlClasses();

}  // namespace
}  // namespace ebank::platform::msxml
