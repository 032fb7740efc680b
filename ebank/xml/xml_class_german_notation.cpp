// The rewrite of a CXmlClass document's amounts from the English notation in
// which they are stored into the German display notation.
#include "ebank/core/currency.h"
#include "ebank/core/raise.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/xml/xml_class.h"

namespace ddXML {
namespace {

constexpr LCID kEnglish = 0x0009;

}  // namespace

void CXmlClass::ValueToGermanNotation() {
  IXMLDOMNodeListPtr values = getNodes(L".//VALUE");
  for (IXMLDOMNodePtr value = values->nextNode(); value != nullptr; value = values->nextNode()) {
    CY amount{};
    ddCOM::CheckHResult(VarCyFromStr(value->Gettext(), kEnglish, LOCALE_NOUSEROVERRIDE, &amount));
    ddCOM::BString<wchar_t> german = ddCOM::Currency(amount).Currency2Str();
    value->Puttext(_bstr_t(german.Detach(), false));
  }
}

}  // namespace ddXML
