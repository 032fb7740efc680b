// Reading a KONTO element into a KontoRecord and writing records as a KONTEN
// document, in the account XML format the database wrapper exchanges.
#ifndef EBANK_SERVERS_TXNDB_KONTO_XML_H_
#define EBANK_SERVERS_TXNDB_KONTO_XML_H_

#include <string>
#include <string_view>

#include "servers/txndb/konto_record.h"

namespace ebank::txndb {

// Reads the KONTO root of `xml`, or the first KONTO of a KONTEN root.
// Missing elements give empty texts and 0 (an empty currency gives EUR);
// numbers take their leading digits. Returns false with `error` set when the
// text is not well-formed or has neither root. A plain text (the form the
// account writers produce) is scanned in place; any other goes through
// ReadKontoDocument, which reads every text the same way.
bool ReadKonto(std::wstring_view xml, KontoRecord& record, std::string& error);

// The same reading through a libxml2 document, for UTF-8 text.
bool ReadKontoDocument(std::string_view utf8_xml, KontoRecord& record, std::string& error);

// Builds a KONTEN document, one KONTO per Add, as the wide text of the COM
// interface, in a buffer the caller keeps for the next list.
class KontenWriter {
 public:
  explicit KontenWriter(std::wstring& xml) : xml_(xml) { xml_.assign(L"<KONTEN>"); }
  void Add(const KontoRecord& record);
  // The finished document, in the buffer; the writer is spent afterwards.
  std::wstring_view Finish();

 private:
  std::wstring& xml_;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_KONTO_XML_H_
