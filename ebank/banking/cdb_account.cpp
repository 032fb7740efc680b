#include "ebank/banking/cdb_account.h"

#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "ebank/banking/ebank_const.h"
#include "ebank/banking/ebank_xml.h"
#include "ebank/banking/internal/konto_fields.h"
#include "ebank/banking/internal/konto_scan.h"
#include "ebank/banking/internal/konto_text.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/com_error.h"
#include "ebank/platform/com/com_issue_error.h"
#include "ebank/platform/msxml/internal/append_text_elements.h"
#include "ebank/platform/msxml/internal/child_element_texts.h"
#include "ebank/platform/msxml/internal/element_path_attributes.h"
#include "ebank/platform/win32/code_page.h"
#include "ebank/platform/win32/wide_string.h"
#include "ebank/xml/internal/append_element.h"
#include "ebank/xml/internal/narrowed_text.h"
#include "ebank/xml/internal/xml_char.h"
#include "ebank/xml/xml_class.h"

namespace {

using BString = CDBAccount::BString;

using ddXML::internal::AppendElement;
using ddXML::internal::WithXmlCharsOnly;
using ebank::banking::kDateParent;
using ebank::banking::kKontoFields;
using ebank::banking::KontoField;
using ebank::banking::KontoScan;
using ebank::platform::msxml::AppendTextElements;
using ebank::platform::msxml::ChildElementTexts;
using ebank::platform::msxml::ElementPathAttributes;

// The DATE element below KONTO, as an XPath path.
constexpr const wchar_t* kDateSteps[] = {L"DATE_LASTDOWNLOAD", L"DATE"};
constexpr const wchar_t* kDateParts[] = {L"YEAR", L"MONTH", L"DAY"};

// The format engine's output limit: 1023 characters and the terminator.
constexpr std::size_t kClauseLimit = 1023;

// A value as the where-clause holds it: as "%ws" inserts it (narrowed through
// the ANSI code page up to its first NUL, "(null)" for a null text), every
// apostrophe doubled.
std::string SqlQuoted(const BString& value) {
  if (value.IsNothing()) return "(null)";
  const std::string narrow = ebank::platform::NarrowFromWide(std::wstring_view(value.ByVal()));
  std::string quoted;
  quoted.reserve(narrow.size());
  for (const char c : narrow) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted;
}

// Joins `values` into "<lead[0]>'value'<lead[1]>'value'...". A clause longer
// than the format limit gives the empty string, as an unknown request does: a
// cut clause would either leave a quote open, so that text a caller appends
// would land inside the value and the value's tail outside it, or close the
// value early and match another account.
BString QuotedClause(std::initializer_list<std::pair<const char*, const BString*>> parts) {
  std::string clause;
  for (const auto& [lead, value] : parts) {
    clause += lead;
    clause += '\'';
    clause += SqlQuoted(*value);
    clause += '\'';
  }
  BString result;
  if (clause.size() <= kClauseLimit) result.Append(clause.data(), static_cast<UINT>(clause.size()));
  return result;
}

// The leading number of a date attribute's text, as the date takes it.
int DateNumber(const wchar_t* text) {
  return static_cast<WORD>(_wtol(text));
}

// Stores the text of field `i` as read from an element (trimmed by the
// reader): through the ANSI code page, numbers by their leading digits.
void StoreField(CDBAccount& account, std::size_t i, std::wstring_view text) {
  BString narrowed = ddXML::internal::NarrowedText(text);
  const KontoField& field = kKontoFields[i];
  if (field.number != nullptr) {
    account.*field.number = narrowed.IsEmpty() ? 0 : _wtol(narrowed.ByVal());
  } else {
    account.*field.text = std::move(narrowed);
  }
}

// `text` without the white space at its ends, as an element's text reads.
std::wstring_view Trimmed(std::wstring_view text) {
  constexpr std::wstring_view kSpace = L" \t\n\r";
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) + 1 - first);
}

// Reads the KONTO of a scanned text, field for field as XmlNodeToKonto
// reads an element.
void ReadScanned(CDBAccount& account, const KontoScan& scan) {
  for (std::size_t i = 0; i < KontoScan::kFieldCount; ++i) {
    StoreField(account, i, Trimmed(scan.Field(i)));
  }
  if (account.m_bstrCurrency.IsEmpty()) account.m_bstrCurrency = ovEBankConst::CUR_EUR;
  const auto date = [&scan](std::size_t i) {
    return DateNumber(std::wstring(scan.DateAttribute(i)).c_str());
  };
  account.m_dtLastDownload.SetDate(date(0), date(1), date(2));
}

}  // namespace

CDBAccount::CDBAccount() : m_dtLastDownload(0.0) {
  Clear();
}

CDBAccount::CDBAccount(wchar_t* const number, wchar_t* const bankCode, wchar_t* const currency)
    : CDBAccount() {
  m_bstrNummer = BString(ddCOM::IsBSTR(number));
  m_bstrBLZ = BString(ddCOM::IsBSTR(bankCode));
  m_bstrCurrency = BString(ddCOM::IsBSTR(currency));
}

CDBAccount::CDBAccount(const BString& number, const BString& bankCode, const BString& currency)
    : CDBAccount() {
  m_bstrNummer = number;
  m_bstrBLZ = bankCode;
  m_bstrCurrency = currency;
}

CDBAccount::CDBAccount(const IXMLDOMNodePtr& node) : CDBAccount() {
  XmlNodeToKonto(node);
}

CDBAccount::CDBAccount(wchar_t* const xml) : CDBAccount() {
  XmlToKonto(xml);
}

CDBAccount::CDBAccount(const CDBAccount& other)
    : m_lKtoID(0),
      m_lFkKeyDown(0),
      m_lFkKeyUp(0),
      m_lOnline(0),
      m_dtLastDownload(0.0),
      m_lCityCode(0),
      m_lCountryCode(0) {
  *this = other;
}

CDBAccount& CDBAccount::operator=(const CDBAccount& other) {
  if (this == &other) return *this;
  for (const KontoField& field : kKontoFields) {
    if (field.number != nullptr) this->*field.number = other.*field.number;
    if (field.text != nullptr) this->*field.text = other.*field.text;
  }
  m_dtLastDownload = other.m_dtLastDownload;
  return *this;
}

CDBAccount::~CDBAccount() = default;

void CDBAccount::Clear() {
  for (const KontoField& field : kKontoFields) {
    if (field.number != nullptr) this->*field.number = -1;
    if (field.text != nullptr) (this->*field.text).Empty();
  }
  m_lCityCode = 0;
  m_lCountryCode = 0;
  m_bstrCurrency = ovEBankConst::CUR_EUR;
}

bool CDBAccount::operator==(const CDBAccount& other) {
  return m_bstrBLZ == other.m_bstrBLZ && m_bstrNummer == other.m_bstrNummer &&
         m_bstrCurrency == other.m_bstrCurrency;
}

bool CDBAccount::IsKontoEmpty(bool all) const {
  const bool bank_code = m_bstrBLZ.IsEmpty();
  const bool number = m_bstrNummer.IsEmpty();
  const bool currency = m_bstrCurrency.IsEmpty();
  return all ? bank_code && number && currency : bank_code || number || currency;
}

bool CDBAccount::IsKontoValid(bool complete) {
  const bool empty = IsKontoEmpty(!complete);
  if (m_bstrCurrency.IsEmpty()) m_bstrCurrency = ovEBankConst::CUR_EUR;
  const bool known_currency = m_bstrCurrency == "EUR" || m_bstrCurrency == "EURO" ||
                              m_bstrCurrency == "DM" || m_bstrCurrency == "DEM";
  return !empty && known_currency;
}

BString CDBAccount::GetSelectStatement(eACCOUNT_REQUEST request) const {
  switch (request) {
    case eREQ_KTONR_BLZ_CURRENCY:
      return QuotedClause({{"szKtoNummer=", &m_bstrNummer},
                           {" AND  szBlz=", &m_bstrBLZ},
                           {" AND szCurrency=", &m_bstrCurrency}});
    case eREQ_KTONR_BLZ:
      return QuotedClause({{"szKtoNummer=", &m_bstrNummer}, {" AND  szBlz=", &m_bstrBLZ}});
    case eREQ_KTOID: {
      BString clause;
      clause.AppendFormat("KtoID=%ld", m_lKtoID);
      return clause;
    }
  }
  return BString();
}

BString CDBAccount::GetSenderAccountName() const {
  BString name = IsHBCIAccount() ? m_bstrContactName : m_bstrBezeichnung;
  if (name.IsEmpty()) name = m_bstrContactName;
  if (name.IsEmpty() || name == ovEBankConst::OLB_NO_CONTACT) name = m_bstrBankName;
  return name;
}

bool CDBAccount::IsHBCIAccount() const {
  return m_bstrContactType == "HBCI";
}

bool CDBAccount::IsBTXAccount() const {
  return m_bstrContactType == "BTX";
}

bool CDBAccount::IsScrapeAccount() const {
  return m_bstrContactType == "INET";
}

bool CDBAccount::IsSynchronized() const {
  return !(m_bstrNummer == "-1");
}

LONG CDBAccount::KontoToXml(ddXML::CXmlClass& doc) {
  doc.createRoot(L"KONTO");
  // The tree is known, so the fields go straight under the root in one call
  // instead of selecting the parent by path for every field.
  const IXMLDOMDocumentPtr document = doc.getDocument();
  const IXMLDOMNodePtr root(document->GetdocumentElement());
  const wchar_t* names[std::size(kKontoFields)];
  const wchar_t* texts[std::size(kKontoFields)];
  wchar_t digits[std::size(kKontoFields)][12];
  // Characters XML cannot carry would make a text that no parser reads back.
  std::wstring replaced[std::size(kKontoFields)];
  for (std::size_t i = 0; i < std::size(kKontoFields); ++i) {
    const KontoField& field = kKontoFields[i];
    names[i] = field.element;
    texts[i] = field.number != nullptr
                   ? _ltow(this->*field.number, digits[i], 10)
                   : WithXmlCharsOnly(static_cast<const wchar_t*>(this->*field.text), replaced[i]);
  }
  ebank::platform::msxml_detail::Check(
      AppendTextElements(root, names, texts, std::size(kKontoFields)), root, IID_IXMLDOMNode);
  const IXMLDOMNodePtr date_parent(AppendElement(document, root, kDateParent, nullptr));
  const IXMLDOMElementPtr date = AppendElement(document, date_parent, L"DATE", nullptr);
  const ebank::banking::KontoDateTexts date_texts(m_dtLastDownload);
  date->setAttribute(ovEBankXML::YEAR, _variant_t(date_texts.year));
  date->setAttribute(ovEBankXML::MONTH, _variant_t(date_texts.month));
  date->setAttribute(ovEBankXML::DAY, _variant_t(date_texts.day));
  return S_OK;
}

_bstr_t CDBAccount::KontoToXmlbStr() {
  const std::wstring text = ebank::banking::KontoText(*this);
  BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (copy == nullptr) throw _com_error(E_OUTOFMEMORY);
  // The same code-page pass the document's text takes on its way out.
  return _bstr_t(ddXML::internal::NarrowedText(_bstr_t(copy, false)).Detach(), false);
}

LONG CDBAccount::XmlNodeToKonto(const IXMLDOMNodePtr& node) {
  if (node == nullptr) return S_OK;
  // A node other than an element gets the document the XML layer builds
  // over it (or that layer's error); an element is read where it stands,
  // without a document copy per record.
  if (node->GetnodeType() != NODE_ELEMENT) {
    const ddXML::CXmlClass copy(node);
    return XmlNodeToKonto(copy.getDocument()->GetdocumentElement());
  }
  // All fields in one pass over the children, without an object per child.
  const wchar_t* names[std::size(kKontoFields)];
  for (std::size_t i = 0; i < std::size(kKontoFields); ++i) names[i] = kKontoFields[i].element;
  BSTR found[std::size(kKontoFields)] = {};
  const HRESULT read = ChildElementTexts(node, names, std::size(kKontoFields), found);
  _bstr_t texts[std::size(kKontoFields)];
  for (std::size_t i = 0; i < std::size(kKontoFields); ++i) texts[i] = _bstr_t(found[i], false);
  if (FAILED(read)) _com_issue_error(read);
  for (std::size_t i = 0; i < std::size(kKontoFields); ++i) {
    const wchar_t* text = texts[i];
    StoreField(*this, i,
               text == nullptr ? std::wstring_view() : std::wstring_view(text, texts[i].length()));
  }
  if (m_bstrCurrency.IsEmpty()) m_bstrCurrency = ovEBankConst::CUR_EUR;
  // The parts of the first DATE_LASTDOWNLOAD/DATE; 0 for a missing one.
  BSTR parts[std::size(kDateParts)] = {};
  const HRESULT dated = ElementPathAttributes(node, kDateSteps, std::size(kDateSteps), kDateParts,
                                              std::size(kDateParts), parts);
  _bstr_t owned[std::size(kDateParts)];
  int numbers[std::size(kDateParts)] = {};
  for (std::size_t i = 0; i < std::size(kDateParts); ++i) {
    owned[i] = _bstr_t(parts[i], false);
    if (parts[i] != nullptr) numbers[i] = DateNumber(parts[i]);
  }
  if (FAILED(dated)) _com_issue_error(dated);
  m_dtLastDownload.SetDate(numbers[0], numbers[1], numbers[2]);
  return S_OK;
}

LONG CDBAccount::XmlToKonto(wchar_t* xml) {
  // A plain text is read without a document; the scan declines every text
  // the DOM would read differently or refuse. Without COM on the thread the
  // DOM's refusal is the answer, so the scan waits for it too.
  if (xml != nullptr && ebank::platform::IsComInitializedOnThisThread()) {
    thread_local KontoScan scan;
    if (scan.Scan(xml)) {
      if (scan.HasKonto()) ReadScanned(*this, scan);
      return S_OK;
    }
  }
  const ddXML::CXmlClass doc(xml);
  if (doc.isNodeFound(L"/KONTEN")) {
    XmlNodeToKonto(doc.getNode(L"/KONTEN/KONTO"));
  } else if (IXMLDOMNodePtr konto = doc.getNode(L"/KONTO"); konto != nullptr) {
    XmlNodeToKonto(konto);
  }
  return S_OK;
}
